// The preferences dialog's logic: its values, the hotkey fields with their colours and the OK
// rule, the browse buttons and the checks made when OK is pressed. The Win32 dialog is a view
// over it: it passes the user's edits in and shows what the form tells it.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "app/preferences_apply.h"
#include "platform/environment.h"
#include "platform/file_system.h"
#include "platform/folder_dialog.h"
#include "platform/key_names.h"
#include "platform/messages.h"
#include "platform/registry.h"
#include "settings/hotkey_field.h"
#include "settings/storage.h"

namespace bw {

enum class FolderBox { Config, Zup };
// The two typing pace fields of the "General" page.
enum class PauseBox { NewLine, Character };

// Title of the folder dialog behind both browse buttons.
inline constexpr std::string_view kFolderDialogTitle = "Location of Zup files";
inline constexpr std::string_view kProtectPasswordsCaption = "Protect stored passwords with my Windows account";
inline constexpr std::string_view kUnprotectPasswordsCaption = "Confirm";
inline constexpr std::string_view kUnprotectPasswordsText =
    "Your stored passwords will be saved in the configuration file without the protection of your "
    "Windows account.\r\nAnyone who can read the file can then read them.\r\n\r\nContinue?";
inline constexpr std::string_view kFolderNotFound = "Cannot locate the folder '%s'.\r\nPlease enter a valid foldername.";
inline constexpr std::string_view kNewLinePauseCaption = "Pause after each new line";
inline constexpr std::string_view kCharacterPauseCaption = "Pause between characters";
inline constexpr std::string_view kPauseNotInRange =
    "'%s' must be a whole number of milliseconds from 0 to %s.\r\nPlease enter a valid number.";
inline constexpr std::string_view kFolderNotStorable =
    "The folder '%s' cannot be stored in the settings file: its name holds characters outside the "
    "system's ANSI code page.\r\nPlease choose another folder.";

// A pause field's label, and the largest pause it takes (the smallest is 0).
std::string_view PauseCaption(PauseBox box);
std::int32_t PauseLimit(PauseBox box);

// The dialog's values from the general record, the start-with-Windows flag and the registry's
// configuration folder (empty when none is set).
PreferenceValues ReadPreferences(const TBrackwaterStorage& general, bool autoStart, platform::Environment& environment,
                                 platform::Registry& registry);

class PreferencesView {
public:
  virtual ~PreferencesView() = default;
  virtual void ShowHotkeyText(HotkeyBox box, std::string_view text) = 0;
  virtual void ShowHotkeyColour(HotkeyBox box, Rgb colour) = 0;
  virtual void ShowFolder(FolderBox box, std::string_view text) = 0;
  virtual void EnableOk(bool enabled) = 0;
};

class PreferencesForm {
public:
  PreferencesForm(PreferencesView& view, platform::FolderDialog& folders, platform::KeyNames& keys);

  // Fills the view: every hotkey text with its colour, the folders, the OK button.
  void Load(const PreferenceValues& values);

  // A hotkey text as the user types it: its colour follows, then the OK button.
  void HotkeyChanged(HotkeyBox box, std::string_view text);
  // Leaving a hotkey field: its text becomes the canonical form (empty when it names no key).
  void HotkeyLeft(HotkeyBox box);
  // OK is allowed when every hotkey text names a key and no two name the same key (which
  // includes texts equal without regard to case).
  bool OkEnabled() const;

  // The folder typed into a field.
  void FolderChanged(FolderBox box, std::string_view text);
  // A browse button: the dialog starts in the field's folder; a chosen folder is written back
  // with a trailing delimiter.
  // A chosen Zup folder without an ANSI name is refused with a message: the settings file
  // could not hold it.
  void Browse(FolderBox box, platform::Messages& messages);

  // A pause typed into its field, in milliseconds. The value is taken when the text is a whole
  // number within the field's range; otherwise OK reports it.
  void PauseChanged(PauseBox box, std::string_view text);

  // The tests made when OK is pressed: the Zup folder must exist, the configuration folder
  // must exist unless it is empty, each pause must be a whole number within its range. One
  // error box per failing field; false keeps the dialog open.
  // Turning the password protection off is confirmed first; No keeps the dialog open.
  bool CheckOnOk(platform::FileSystem& files, platform::Messages& messages) const;

  PreferenceValues& Values() { return values_; }
  const PreferenceValues& Values() const { return values_; }

private:
  std::string& Folder(FolderBox box) { return box == FolderBox::Config ? values_.configDir : values_.zupDir; }
  HotkeyField& Field(HotkeyBox box) { return fields_[static_cast<std::size_t>(box)]; }
  void Validate();

  PreferencesView& view_;
  platform::FolderDialog& folders_;
  PreferenceValues values_;
  bool protectedAtLoad_ = false;
  std::array<bool, 2> pauseRefused_{};  // per PauseBox: its text is no pause of its range
  std::vector<HotkeyField> fields_;  // one per HotkeyBox
};

}  // namespace bw
