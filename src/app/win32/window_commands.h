// Command ids of the main window's own commands, sent as WM_COMMAND by its menus and tool
// buttons (and by tests). Tray menu entries use small ids of their own, below these.
#pragma once

namespace bw::win32 {

inline constexpr int kPreferencesCommand = 40001;   // "Preferences..."
inline constexpr int kAboutCommand = 40002;         // "About..."
inline constexpr int kCheckVersionCommand = 40003;  // "Check for New Version..."

}  // namespace bw::win32
