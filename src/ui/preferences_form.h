// The preferences dialog's logic: its values, the hotkey fields with their colours and the OK
// rule, the browse buttons and the checks made when OK is pressed. The Win32 dialog is a view
// over it: it passes the user's edits in and shows what the form tells it.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "platform/environment.h"
#include "platform/file_system.h"
#include "platform/folder_dialog.h"
#include "platform/key_names.h"
#include "platform/messages.h"
#include "platform/registry.h"
#include "settings/hotkey_field.h"
#include "settings/storage.h"

namespace bw {

// The nine hotkey fields, in the order of the "Hotkeys" page.
enum class HotkeyBox { Unindent, Indent, Uncomment, Comment, Insert, Repeat, Open, Toggle, Credentials };
inline constexpr int kHotkeyBoxCount = 9;

enum class FolderBox { Config, Zup };

// Title of the folder dialog behind both browse buttons.
inline constexpr std::string_view kFolderDialogTitle = "Location of Zup files";
inline constexpr std::string_view kProtectPasswordsCaption = "Protect stored passwords with my Windows account";
inline constexpr std::string_view kUnprotectPasswordsCaption = "Confirm";
inline constexpr std::string_view kUnprotectPasswordsText =
    "Your stored passwords will be saved in the configuration file without the protection of your "
    "Windows account.\r\nAnyone who can read the file can then read them.\r\n\r\nContinue?";
inline constexpr std::string_view kFolderNotFound = "Cannot locate the folder '%s'.\r\nPlease enter a valid foldername.";

struct PreferenceValues {
  std::string author;
  std::string initials;
  std::string company;
  std::string configDir;  // empty: the default location
  std::string zupDir;
  bool runOnStartup = false;
  std::array<std::string, kHotkeyBoxCount> hotkeys;  // indexed by HotkeyBox
  bool activateViaDot = false;
  bool activateViaCtrlSpace = true;
  bool protectPasswords = false;  // stored passwords protected by the user's Windows account

  std::string& Hotkey(HotkeyBox box) { return hotkeys[static_cast<std::size_t>(box)]; }
  const std::string& Hotkey(HotkeyBox box) const { return hotkeys[static_cast<std::size_t>(box)]; }
};

// The general record's field that a hotkey box edits.
template <class General> auto& HotkeySetting(General& general, HotkeyBox box) {
  switch (box) {
    case HotkeyBox::Unindent: return general.Unindent;
    case HotkeyBox::Indent: return general.Indent;
    case HotkeyBox::Uncomment: return general.Uncomment;
    case HotkeyBox::Comment: return general.Comment;
    case HotkeyBox::Insert: return general.InsertTemplate;
    case HotkeyBox::Repeat: return general.RepeatTemplate;
    case HotkeyBox::Open: return general.OpenBrackwater;
    case HotkeyBox::Toggle: return general.ToggleHotkeys;
    case HotkeyBox::Credentials: break;
  }
  return general.InsertCredentials;
}

inline constexpr std::array kHotkeyBoxes = {HotkeyBox::Unindent, HotkeyBox::Indent, HotkeyBox::Uncomment,
                                            HotkeyBox::Comment,  HotkeyBox::Insert, HotkeyBox::Repeat,
                                            HotkeyBox::Open,     HotkeyBox::Toggle, HotkeyBox::Credentials};

// A folder text ending in a path delimiter (one is appended when missing).
std::string WithTrailingDelimiter(std::string folder);

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
  void Browse(FolderBox box);

  // The tests made when OK is pressed: the Zup folder must exist, the configuration folder
  // must exist unless it is empty. One error box per failing folder; false keeps the dialog open.
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
  std::vector<HotkeyField> fields_;  // one per HotkeyBox
};

}  // namespace bw
