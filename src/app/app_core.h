// The application core of the tray program: the runtime values of the main window, hotkey
// registration and dispatch, the hotkey toggle, the tray menu's commands, starting
// configurations and plug-ins, and context help. The Win32 main window owns one AppCore and
// forwards its hotkey messages, menu choices and help requests to it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/config_shortcuts.h"
#include "app/editor_commands.h"
#include "app/help_texts.h"
#include "app/hotkey_registration.h"
#include "app/item_picker.h"
#include "app/key_watcher.h"
#include "app/main_window.h"
#include "app/tray_icon.h"
#include "app/tray_menu.h"
#include "platform/hotkey_registrar.h"
#include "platform/key_names.h"
#include "platform/messages.h"
#include "platform/screen.h"
#include "platform/secret_protection.h"
#include "platform/shell.h"
#include "settings/storage.h"

namespace bw {

struct AppServices {
  MainWindow& window;
  TrayIcon& tray;
  KeyWatcher& watcher;
  EditorCommands& editor;
  ItemPicker& picker;
  platform::HotkeyRegistrar& registrar;
  platform::Messages& messages;
  platform::KeyNames& keys;
  platform::Shell& shell;
  platform::Screen& screen;
};

class AppCore {
public:
  // `root` is the loaded settings tree; it must outlive the core.
  AppCore(TStorage& root, AppServices services);
  AppCore(const AppCore&) = delete;
  AppCore& operator=(const AppCore&) = delete;

  // Start-up: ConfigShortcuts from the tree, the tray hint, the standard and item hotkeys, then
  // the toggle hotkey. Shutdown: every hotkey including the toggle is unregistered.
  void Start();
  void Shutdown();

  // A hotkey message of the main window (wParam = id, lParam = modifiers | key << 16).
  void OnHotkeyMessage(std::uintptr_t wParam, std::intptr_t lParam);
  // The frame around every hotkey command: hide the management window, pause the key watcher,
  // let pending messages run, add the tray icon again, run the command, resume the watcher.
  void OnHotkey(int id, unsigned modifiers, unsigned virtualKey);
  // An item key: the one template, configuration or plug-in with it, or the user's choice.
  void ActivateHotkeyItems(unsigned virtualKey, unsigned modifiers);

  bool HotkeysActive() const { return hotkeysActive_; }
  void ToggleHotkeys();
  // Registers or unregisters the standard and item hotkeys, with balloon and tray hint.
  void SetHotkeysActive(bool active);

  // Management-window edits of configurations, templates and plug-ins are bracketed by these:
  // the registrations are dropped before the change and made again after it, while active.
  void BeginItemsChange();
  void EndItemsChange();
  // After the preferences dialog: all hotkeys and the toggle hotkey registered anew.
  void ApplyHotkeySettings();

  // The tray menu of the current settings, and running the entry with a given id.
  TrayMenuModel BuildMenu(std::string_view versionText) const;
  void RunMenuEntry(const TrayMenuModel& menu, int id);
  void RunMenuCommand(const TrayMenuEntry& entry);

  // Starting a configuration remembers its login for the credentials hotkey.
  void StartConfiguration(const TConfigStorage& config);
  // The n-th plug-in of the plug-ins folder; an index out of range does nothing.
  void StartPluginAt(int index);
  // "Exit": asks, then ends the program.
  void ExitBrackwater();

  // "NotifyBrackwater" reached the main window: wParam 1 carries a global atom whose name
  // (`atomName`, nullopt when it has none) gives the balloon's title and text, split at the
  // first "|"; any other wParam is a second start of the program. One balloon at most.
  void OnNotifyMessage(std::uintptr_t wParam, const std::optional<std::string>& atomName);

  void SetHelpTexts(HelpTexts texts) { help_ = std::move(texts); }
  // The platform's protection of stored passwords; without one, protected passwords count as empty.
  void SetSecretProtection(platform::SecretProtection& protection) { protection_ = &protection; }
  platform::SecretProtection& SecretProtection() { return *protection_; }
  // At start: one warning naming the configurations whose protected password does not open
  // for this user on this machine; those passwords count as empty until typed again.
  void WarnUnreadablePasswords();
  // F1 with context number N: help text N as a balloon of 25 seconds (as a tip at the focused
  // field while the shell hides balloons).
  void ShowContextHelp(int number);

  // Runtime values of the main window.
  const std::string& CredentialsText() const { return credentialsText_; }
  void SetLastTemplateText(std::string text) { lastTemplateText_ = std::move(text); }
  const ConfigShortcuts& Shortcuts() const { return shortcuts_; }
  // The configuration hotkeys follow the configuration tree's edits: a configuration added, the
  // folder changed (a record's hotkey or name edited), a record removed with what is below it
  // (called before the records go).
  void AddConfigShortcut(const TConfigStorage& config) { shortcuts_.Add(config, services_.keys); }
  void SyncConfigShortcuts() { shortcuts_.Sync(ConfigsFolder(root_), services_.keys); }
  void RemoveConfigShortcuts(const TStorage& record) { shortcuts_.Remove(record); }
  HotkeyRegistration& Registration() { return registration_; }
  TStorage& Root() { return root_; }

private:
  void RunHotkeyCommand(int id, unsigned modifiers, unsigned virtualKey);
  void ActivateItem(const HotkeyItem& item, bool confirmed);
  bool InTree(const TConfigStorage& config) const;
  void RegisterAll();
  // False, with a balloon (a message box while balloons are hidden) the first time for that
  // process, when the foreground program cannot receive the keys a command would type.
  bool ForegroundReachable();

  TStorage& root_;
  AppServices services_;
  HotkeyRegistration registration_;
  ConfigShortcuts shortcuts_;
  HelpTexts help_;
  platform::NoSecretProtection noProtection_;
  platform::SecretProtection* protection_ = &noProtection_;
  std::string credentialsText_;
  std::string lastTemplateText_;
  bool hotkeysActive_ = true;
  int hotkeyDepth_ = 0;
  bool commandRunning_ = false;  // a hotkey command is between its start and its end
  int itemsChangeDepth_ = 0;
  std::uint32_t warnedElevated_ = 0;  // the elevated client process already named in a balloon
};

}  // namespace bw
