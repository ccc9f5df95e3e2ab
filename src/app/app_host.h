// What the Win32 program provides to the application core: the main window, the tray icon,
// the window-message watcher and the editor commands. Each is a small interface so that the core
// can be driven and checked without Windows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "settings/storage.h"

namespace bw {

// Pages of the management window.
inline constexpr int kConfigurationsPage = 0;
inline constexpr int kTemplatesPage = 1;
inline constexpr int kPluginsPage = 2;

struct Balloon;

class MainWindow {
public:
  virtual ~MainWindow() = default;
  // Shows the management window on page 0, 1 or 2 and brings the program to the foreground.
  virtual void ShowManagementWindow(int page) = 0;
  // Hides the management window; it saves the settings when it was shown.
  virtual void HideManagementWindow() = 0;
  // Lets the messages queued for this thread run.
  virtual void ProcessPendingMessages() = 0;
  virtual void ShowPreferences() = 0;
  virtual void ShowAbout() = 0;
  // The "Reset Variables" dialog on the general record's variable list.
  virtual void ResetVariables() = 0;
  // Ends the message loop; the normal shutdown follows.
  virtual void Terminate() = 0;
  // Brings the program's open dialog to the front; false when none is open.
  virtual bool BringOpenDialogToFront() = 0;
  // Shows a balloon tip at the program's focused control (at the mouse when none has the focus),
  // for as long as the balloon says; the one shown before goes.
  virtual void ShowTipAtFocus(const Balloon& tip) = 0;
};

struct Balloon {
  std::string title;  // at most 63 characters
  std::string text;   // at most 255 characters
  int seconds = 10;
};
// Cuts title and text to what the notification area takes.
Balloon MakeBalloon(std::string_view title, std::string_view text, int seconds);

// Whether the notification area's balloons reach the user now, as the shell tells it.
enum class NotificationState {
  Shown,        // notifications are accepted
  QuietTime,    // focus assist, quiet hours or the first hour after set-up
  Busy,         // a program runs full screen, or in presentation mode
  Away,         // the screen is locked or the screen saver runs
  SwitchedOff,  // notifications are switched off for every program
  Unknown,      // the shell cannot tell (systems before Windows Vista)
};

// Balloons are seen only when notifications are accepted; where the shell cannot tell, as
// before.
bool BalloonsSeen(NotificationState state);

class TrayIcon {
public:
  virtual ~TrayIcon() = default;
  // Adds the icon to the notification area; nothing happens while it is there.
  virtual void AddAgain() = 0;
  virtual void SetHint(std::string_view hint) = 0;
  // Always with the information icon.
  virtual void ShowBalloon(const Balloon& balloon) = 0;
  virtual NotificationState Notifications() = 0;
};

// The outside key watcher (code completion); the program uses kind 1 only.
inline constexpr int kWatchKeys = 1;

class KeyWatcher {
public:
  virtual ~KeyWatcher() = default;
  virtual void Start(int kind) = 0;
  virtual void Stop(int kind) = 0;
};

// Commands of the editor automation, run from the hotkeys.
class EditorCommands {
public:
  virtual ~EditorCommands() = default;
  // Indent 0, un-indent 1, comment 2, uncomment 3 on the lines selected in the C/AL editor.
  virtual void BlockCommand(int operation) = 0;
  // The Insert Template dialog.
  virtual void OpenInsertTemplate() = 0;
  // Types the text into the focused window (the credentials only into a login dialog).
  virtual void InsertFocusedText(const std::string& text) = 0;
  // Frame of an item hotkey: attaches to the foreground thread and takes its focus window...
  virtual void AttachToForeground() = 0;
  // ...types a template there (drawing locked meanwhile); confirmed when picked from a list...
  virtual void InsertTemplateText(const std::string& text, bool confirmed) = 0;
  // ...and detaches again, letting pending messages run.
  virtual void Detach() = 0;
  // The process of the foreground window when Windows keeps this program's keys from it (it
  // runs elevated and this program does not); 0 when keys reach it.
  virtual std::uint32_t ForegroundOutOfReach() = 0;
};

// An item bound to a pressed key: a template, a configuration or a plug-in.
struct HotkeyItem {
  enum class Kind { Template, Configuration, Plugin };
  Kind kind = Kind::Template;
  std::string name;
  const TStorage* record = nullptr;  // not owned
};

// The "Select Item to Activate..." list, shown when several items share a key.
class ItemPicker {
public:
  virtual ~ItemPicker() = default;
  // Index into `items` of the item chosen with OK; nullopt for Cancel or no selection.
  virtual std::optional<std::size_t> Choose(std::span<const HotkeyItem> items) = 0;
};

}  // namespace bw
