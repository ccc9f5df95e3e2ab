// The application core's own texts, shown to the user exactly as written here.
#pragma once

#include <string>
#include <string_view>

namespace bw {

inline constexpr std::string_view kAppTitle = "Brackwater for Dynamics NAV";
inline constexpr std::string_view kAppShortName = "Brackwater";  // in dialog captions
inline constexpr std::string_view kHintStatus = "Hotkey status : ";
inline constexpr std::string_view kActive = "Active";
inline constexpr std::string_view kInactive = "Inactive";
inline constexpr std::string_view kHotkeysActivated = "Hotkeys have been activated.";
inline constexpr std::string_view kHotkeysDeactivated = "Hotkeys have been deactivated.";
inline constexpr std::string_view kUnreadablePasswordsText =
    "The stored passwords of these configurations were protected by another Windows account or on "
    "another computer and cannot be read here:%s\r\n\r\nThey count as empty until you type them "
    "again in the configuration dialog.";
inline constexpr std::string_view kIsRunning = "Brackwater for Dynamics NAV is running...";
// "NotifyBrackwater" and hotkey toggle balloons stay this long.
inline constexpr int kNotifyBalloonSeconds = 10;
inline constexpr std::string_view kClientElevated =
    "The Navision client runs as administrator, so Windows keeps Brackwater's keys from it. "
    "Start Brackwater as administrator too, or the client as a normal user.";
inline constexpr std::string_view kStandardHotkeyFailed =
    "Brackwater failed to register standard hotkey '%s'.\r\nPlease check for duplicate hotkey definitions.";
inline constexpr std::string_view kTemplateHotkeyFailed =
    "Brackwater failed to register hotkey '%s' for template '%s'.\r\nPlease check for duplicate hotkey definitions.";
inline constexpr std::string_view kHotkeyFailedTip =
    "Hotkey has been disabled because it was registered by another application. "
    "Please change hotkey in Brackwater or the other application.";
inline constexpr std::string_view kConfirmExit = "Are you sure you want to exit %s ?";
inline constexpr std::string_view kNoVersionInfo = "No version info is stored in executable.";

// "Brackwater for Dynamics NAV", CR LF, "Hotkey status : ", then "Active" or "Inactive".
std::string TrayHint(bool hotkeysActive);

}  // namespace bw
