// TfrmNavisionPreferences: the preferences dialog, pages "General" and "Hotkeys", a view over
// the portable PreferencesForm.
#pragma once

#include <windows.h>

#include "platform/file_system.h"
#include "platform/folder_dialog.h"
#include "platform/key_names.h"
#include "platform/messages.h"
#include "ui/preferences_form.h"

namespace bw::ui {

// Control ids of the dialog.
namespace preferences_ids {
inline constexpr int kPages = 100;  // the page control, "General" and "Hotkeys"
inline constexpr int kAuthor = 110, kInitials = 111, kCompany = 112, kConfigDir = 113, kBrowseConfig = 114,
                     kZupDir = 115, kBrowseZup = 116, kRunOnStartup = 117, kViaDot = 118, kViaCtrlSpace = 119,
                     kProtectPasswords = 120, kNewLinePause = 121, kCharacterPause = 122;
inline constexpr int kFirstHotkey = 150;  // + HotkeyBox
}  // namespace preferences_ids

inline constexpr const char* kPreferencesCaption = "Brackwater Preferences";

struct PreferencesDialogServices {
  platform::FolderDialog& folders;
  platform::KeyNames& keys;
  platform::FileSystem& files;
  platform::Messages& messages;
};

// Shows the dialog modally over `values`; true (and the edited values) when closed with OK.
bool EditPreferences(HWND owner, PreferenceValues& values, PreferencesDialogServices services);

}  // namespace bw::ui
