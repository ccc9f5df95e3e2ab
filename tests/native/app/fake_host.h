// Recording stand-ins for the Win32 program's side of the application core: every call lands in
// one event list, so tests can check what happened and in which order.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/app_core.h"
#include "platform/fake/fake_hotkey_registrar.h"
#include "platform/fake/fixed_screen.h"
#include "platform/fake/recording_messages.h"
#include "platform/fake/recording_shell.h"
#include "platform/native/us_key_names.h"
#include "settings/hotkey_text.h"

namespace bw::test {

using Events = std::vector<std::string>;

class FakeHost : public MainWindow, public TrayIcon, public KeyWatcher, public EditorCommands, public ItemPicker {
public:
  // MainWindow
  void ShowManagementWindow(ManagementPage page) override {
    events.push_back("show page " + std::to_string(static_cast<int>(page)));
  }
  void HideManagementWindow() override { events.push_back("hide window"); }
  void ProcessPendingMessages() override { events.push_back("pump"); }
  void ShowPreferences() override { events.push_back("preferences"); }
  void ShowAbout() override { events.push_back("about"); }
  void ResetVariables() override { events.push_back("reset variables"); }
  void Terminate() override { events.push_back("terminate"); }
  bool BringOpenDialogToFront() override {
    if (dialogOpen) events.push_back("dialog to front");
    return dialogOpen;
  }
  void ShowTipAtFocus(const Balloon& tip) override { tips.push_back(tip); }
  // TrayIcon
  void AddAgain() override { events.push_back("add icon"); }
  void SetHint(std::string_view text) override { hint = std::string(text); }
  void ShowBalloon(const Balloon& balloon) override { balloons.push_back(balloon); }
  NotificationState Notifications() override { return notifications; }
  // KeyWatcher
  void Start(WatchKind kind) override { events.push_back("watcher start " + std::to_string(static_cast<int>(kind))); }
  void Stop(WatchKind kind) override { events.push_back("watcher stop " + std::to_string(static_cast<int>(kind))); }
  // EditorCommands
  void BlockCommand(BlockOperation operation) override {
    events.push_back("block " + std::to_string(static_cast<int>(operation)));
  }
  void OpenInsertTemplate() override { events.push_back("insert template dialog"); }
  void InsertFocusedText(const std::string& text) override { events.push_back("focused text " + text); }
  void AttachToForeground() override { events.push_back("attach"); }
  void InsertTemplateText(const std::string& text, bool confirmed) override {
    events.push_back("template " + text + (confirmed ? " confirmed" : ""));
  }
  void Detach() override { events.push_back("detach"); }
  std::uint32_t ForegroundOutOfReach() override { return elevatedProcess; }
  // ItemPicker
  std::optional<std::size_t> Choose(std::span<const HotkeyItem> items) override {
    offered.assign(items.begin(), items.end());
    events.push_back("picker");
    return choice;
  }

  Events events;
  std::string hint;
  std::vector<Balloon> balloons;
  std::vector<Balloon> tips;  // shown at the focused control
  NotificationState notifications = NotificationState::Shown;
  std::vector<HotkeyItem> offered;
  std::optional<std::size_t> choice;
  bool dialogOpen = false;             // one of the program's dialogs is open
  std::uint32_t elevatedProcess = 0;   // the foreground client runs elevated
};

// A settings tree with the default general record and three empty folders.
inline std::unique_ptr<TStorage> EmptyTree() {
  auto root = std::make_unique<TStorage>();
  root->AddChild(std::make_unique<TBrackwaterStorage>());
  for (int folder = kConfigsIndex; folder <= kPluginsIndex; ++folder) root->AddChild(std::make_unique<TStorage>());
  return root;
}

template <class T> T& AddRecord(TStorage& parent) {
  auto record = std::make_unique<T>();
  T& added = *record;
  parent.AddChild(std::move(record));
  return added;
}

inline TCommentStorage& AddTemplate(TStorage& root, std::string name, TShortCut key, std::string text = "text") {
  auto& item = AddRecord<TCommentStorage>(TemplatesFolder(root));
  item.CommentName = std::move(name);
  item.Hotkey = key;
  item.Comment = std::move(text);
  return item;
}

inline TConfigStorage& AddConfig(TStorage& parent, std::string name, TShortCut key = 0, bool folder = false) {
  auto& config = AddRecord<TConfigStorage>(parent);
  config.ConfigName = std::move(name);
  config.Hotkey = key;
  config.IsSubMenu = folder;
  config.ExecutablePath = "C:\\Navision\\fin.exe";
  config.IsNative = true;
  return config;
}

inline TPluginStorage& AddPlugin(TStorage& root, std::string name, TShortCut key = 0) {
  auto& plugin = AddRecord<TPluginStorage>(PluginsFolder(root));
  plugin.PluginName = std::move(name);
  plugin.Hotkey = key;
  plugin.ExecutablePath = "C:\\Tools\\" + plugin.PluginName + ".exe";
  return plugin;
}

inline constexpr TShortCut kCtrlShift = kCtrl | kShift;
inline constexpr unsigned kModCtrlShift = kModControl | kModShift;

// The core over one tree with recording fakes for everything around it.
struct CoreFixture {
  std::unique_ptr<TStorage> root = EmptyTree();
  FakeHost host;
  platform::FakeHotkeyRegistrar registrar;
  platform::RecordingMessages messages;
  platform::UsKeyNames keys;
  platform::RecordingShell shell;
  platform::FixedScreen screen{{1024, 768}};
  AppCore core{*root, {host, host, host, host, host, registrar, messages, keys, shell, screen}};

  std::vector<std::string> ErrorTexts() const {
    std::vector<std::string> texts;
    for (const auto& shown : messages.shown) texts.push_back(shown.text);
    return texts;
  }
};

}  // namespace bw::test
