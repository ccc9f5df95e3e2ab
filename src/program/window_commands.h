// Command ids of the main window's own commands, sent as WM_COMMAND by its menus and tool
// buttons (and by tests). Tray menu entries use small ids of their own, below these.
#pragma once

namespace bw::win32 {

inline constexpr int kPreferencesCommand = 40001;   // "Preferences..."
inline constexpr int kAboutCommand = 40002;         // "About..."
inline constexpr int kCheckVersionCommand = 40003;  // "Check for New Version..."
// The management window's editing commands; they act on the active page.
inline constexpr int kAddCommand = 40010;             // "Add..."
inline constexpr int kModifyCommand = 40011;          // "Modify..."
inline constexpr int kDeleteCommand = 40012;          // "Delete"
inline constexpr int kCloneCommand = 40013;           // "Clone"
inline constexpr int kMoveUpCommand = 40014;          // "Move Up"
inline constexpr int kMoveDownCommand = 40015;        // "Move Down"
inline constexpr int kImportTemplateCommand = 40016;  // "Import Template..."
inline constexpr int kExportTemplateCommand = 40017;  // "Export Template..."
inline constexpr int kMinimizeCommand = 40018;        // "Minimize to Tray"
inline constexpr int kExitCommand = 40019;            // "Exit"

// Child windows of the management window.
inline constexpr int kPagesId = 100;
inline constexpr int kConfigTreeId = 101;
inline constexpr int kToolbarId = 102;
inline constexpr int kStatusBarId = 103;
inline constexpr int kTemplateListId = 104;
inline constexpr int kPluginListId = 105;

}  // namespace bw::win32
