// The values of the preferences dialog, and applying accepted ones: the general record, the
// start-with-Windows flag, the configuration file's folder, the hotkeys and the reserved
// template variables.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/app_core.h"
#include "platform/key_names.h"
#include "settings/config_file.h"
#include "settings/storage.h"

namespace bw {

// The nine hotkey fields, in the order of the "Hotkeys" page.
enum class HotkeyBox { Unindent, Indent, Uncomment, Comment, Insert, Repeat, Open, Toggle, Credentials };
inline constexpr int kHotkeyBoxCount = 9;

struct PreferenceValues {
  std::string author;
  std::string initials;
  std::string company;
  std::string configDir;  // UTF-8 (a registry path); empty: the default location
  std::string zupDir;     // ANSI, as the settings file holds it
  bool runOnStartup = false;
  std::array<std::string, kHotkeyBoxCount> hotkeys;  // indexed by HotkeyBox
  bool activateViaDot = false;
  bool activateViaCtrlSpace = true;
  bool protectPasswords = false;  // stored passwords protected by the user's Windows account
  // The typing pace in milliseconds (NewLinePause, CharacterPause), each within its range.
  std::int32_t newLinePause = kDefaultNewLinePauseMs;
  std::int32_t characterPause = kDefaultCharacterPauseMs;

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

struct PreferencesTarget {
  AppCore& core;          // holds the settings tree and the hotkey registrations
  ConfigFile& configFile;
  bool& autoStart;        // written to the registry by the next save
};

// In this order: Author, Initials, Company and ZupDir (with a trailing delimiter); AutoStart;
// the nine hotkey texts (in their canonical form), the completion switches, the password
// protection and the typing pace (clamped into its ranges); the
// configuration folder (the file moves when its path changes); every hotkey registered anew;
// the variables "Author", "Initials" and "Company".
void ApplyPreferences(const PreferenceValues& values, PreferencesTarget target, platform::KeyNames& keys);

}  // namespace bw
