#include "app/app_core.h"

#include "base/app_texts.h"
#include "base/format_text.h"
#include "app/notify_atom.h"
#include "launch/client_start.h"
#include "launch/plugin_start.h"
#include "settings/protected_password.h"

namespace bw {

AppCore::AppCore(TStorage& root, AppServices services)
    : root_(root), services_(services), registration_({services.registrar, services.messages, services.keys}) {}

void AppCore::Start() {
  shortcuts_.Rebuild(ConfigsFolder(root_), services_.keys);
  hotkeysActive_ = true;
  services_.tray.SetHint(TrayHint(true));
  RegisterAll();
  registration_.RegisterToggleHotkey(General(root_));
}

void AppCore::WarnUnreadablePasswords() {
  const auto names = UnreadablePasswordConfigs(root_, *protection_);
  if (names.empty()) return;
  std::string list;
  for (const auto& name : names) list += "\r\n" + name;
  services_.messages.Show(platform::MessageKind::Warning, FormatText(kUnreadablePasswordsText, {list}));
}

void AppCore::Shutdown() {
  registration_.UnregisterAllHotkeys();
  registration_.UnregisterToggleHotkey();
}

void AppCore::RegisterAll() {
  // Records added or deleted by the management window since the list was last brought in step.
  shortcuts_.Sync(ConfigsFolder(root_), services_.keys);
  registration_.RegisterAllHotkeys(root_, shortcuts_);
}

void AppCore::ToggleHotkeys() { SetHotkeysActive(!hotkeysActive_); }

void AppCore::SetHotkeysActive(bool active) {
  if (active != hotkeysActive_) {
    hotkeysActive_ = active;
    if (active)
      RegisterAll();
    else
      registration_.UnregisterAllHotkeys();
  }
  services_.tray.ShowBalloon(MakeBalloon(kAppTitle, active ? kHotkeysActivated : kHotkeysDeactivated, 10));
  services_.tray.SetHint(TrayHint(active));
}

void AppCore::BeginItemsChange() {
  if (itemsChangeDepth_++ == 0 && hotkeysActive_) registration_.UnregisterAllHotkeys();
}

void AppCore::EndItemsChange() {
  if (itemsChangeDepth_ == 0) return;
  if (--itemsChangeDepth_ == 0 && hotkeysActive_) RegisterAll();
}

void AppCore::ApplyHotkeySettings() {
  // Every old key is let go before any new one is taken, so that keys swapped between two
  // commands do not collide with themselves; a refusal then means another program holds it.
  registration_.UnregisterAllHotkeys();
  registration_.UnregisterToggleHotkey();
  registration_.RegisterToggleHotkey(General(root_));
  // While switched off, the other hotkeys stay off: registering them would leave the toggle
  // saying "Inactive" over working keys, and its next press would fail on every one of them.
  if (hotkeysActive_) RegisterAll();
}

TrayMenuModel AppCore::BuildMenu(std::string_view versionText) const {
  return BuildTrayMenu(root_, services_.keys, hotkeysActive_, versionText);
}

void AppCore::RunMenuEntry(const TrayMenuModel& menu, int id) {
  if (const TrayMenuEntry* entry = FindMenuEntry(menu, id)) RunMenuCommand(*entry);
}

void AppCore::RunMenuCommand(const TrayMenuEntry& entry) {
  switch (entry.command) {
    case MenuCommand::None: break;
    case MenuCommand::StartConfiguration:
      // The menu may have been built before the record was deleted.
      if (entry.configuration != nullptr && InTree(*entry.configuration)) StartConfiguration(*entry.configuration);
      break;
    case MenuCommand::StartPlugin: StartPluginAt(entry.pluginIndex); break;
    case MenuCommand::OpenBrackwater: services_.window.ShowManagementWindow(ManagementPage::Configurations); break;
    case MenuCommand::OpenTemplates: services_.window.ShowManagementWindow(ManagementPage::Templates); break;
    case MenuCommand::ToggleHotkeys: ToggleHotkeys(); break;
    case MenuCommand::ResetVariables: services_.window.ResetVariables(); break;
    case MenuCommand::Preferences: services_.window.ShowPreferences(); break;
    case MenuCommand::About: services_.window.ShowAbout(); break;
    case MenuCommand::Exit: ExitBrackwater(); break;
  }
}

bool AppCore::InTree(const TConfigStorage& config) const {
  bool found = false;
  WalkConfigs(ConfigsFolder(root_), [&](const TConfigStorage& record, int) { found = found || &record == &config; });
  return found;
}

void AppCore::StartConfiguration(const TConfigStorage& config) {
  LaunchPlatform launch{services_.shell, services_.screen, *protection_};
  StartClient(config, General(root_).ZupDir, launch, credentialsText_);
}

void AppCore::StartPluginAt(int index) {
  const TStorage& plugins = PluginsFolder(root_);
  if (index < 0 || index >= plugins.ChildCount()) return;
  StartPlugin(As<TPluginStorage>(plugins.Child(index)), services_.shell);
}

void AppCore::ExitBrackwater() {
  if (services_.messages.Confirm(kAppTitle, FormatText(kConfirmExit, {kAppTitle}))) services_.window.Terminate();
}

void AppCore::OnNotifyMessage(std::uintptr_t wParam, const std::optional<std::string>& atomName) {
  services_.tray.AddAgain();
  if (wParam != 1) {
    services_.tray.ShowBalloon(MakeBalloon(kAppTitle, kIsRunning, kNotifyBalloonSeconds));
    return;
  }
  if (!atomName) return;
  if (const auto parts = SplitNotifyAtom(*atomName))
    services_.tray.ShowBalloon(MakeBalloon(parts->title, parts->text, kNotifyBalloonSeconds));
}

void AppCore::ShowContextHelp(int number) {
  // A hidden balloon would leave F1 without an answer: the tip shows at the focused field instead.
  const Balloon help = MakeBalloon(kAppTitle, help_.Text(number), kHelpBalloonSeconds);
  if (BalloonsSeen(services_.tray.Notifications()))
    services_.tray.ShowBalloon(help);
  else
    services_.window.ShowTipAtFocus(help);
}

}  // namespace bw
