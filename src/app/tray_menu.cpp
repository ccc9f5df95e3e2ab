#include "app/tray_menu.h"


#include "app/config_shortcuts.h"

namespace bw {

namespace {

class MenuBuilder {
public:
  explicit MenuBuilder(platform::KeyNames& keys) : keys_(keys) {}

  TrayMenuEntry Configuration(const TConfigStorage& config) {
    TrayMenuEntry entry = Entry(config.ConfigName, HotkeyCodeText(config.Hotkey, keys_),
                                config.IsSubMenu ? kImageFolder : kImageConfiguration,
                                config.IsSubMenu ? MenuCommand::None : MenuCommand::StartConfiguration);
    entry.configuration = &config;
    for (int i = 0; i < config.ChildCount(); ++i)
      entry.children.push_back(Configuration(As<TConfigStorage>(config.Child(i))));
    return entry;
  }

  TrayMenuEntry Plugins(const TStorage& folder) {
    TrayMenuEntry entry = Fixed("itmPlugins", "Plug-Ins", kImagePlugins, MenuCommand::None);
    for (int i = 0; i < folder.ChildCount(); ++i) {
      const auto& plugin = As<TPluginStorage>(folder.Child(i));
      TrayMenuEntry item =
          Entry(plugin.PluginName, HotkeyCodeText(plugin.Hotkey, keys_), kImagePlugin, MenuCommand::StartPlugin);
      item.pluginIndex = i;
      entry.children.push_back(std::move(item));
    }
    return entry;
  }

  TrayMenuEntry Entry(std::string_view caption, std::string shortcut, int image, MenuCommand command) {
    TrayMenuEntry entry;
    entry.id = nextId_++;
    entry.caption = std::string(caption);
    entry.shortcut = std::move(shortcut);
    entry.image = image;
    entry.command = command;
    return entry;
  }

  TrayMenuEntry Fixed(std::string_view name, std::string_view caption, int image, MenuCommand command,
                      std::string shortcut = {}) {
    TrayMenuEntry entry = Entry(caption, std::move(shortcut), image, command);
    entry.name = std::string(name);
    return entry;
  }

  TrayMenuEntry Separator(std::string_view name) {
    TrayMenuEntry entry = Fixed(name, "-", -1, MenuCommand::None);
    entry.separator = true;
    return entry;
  }

private:
  platform::KeyNames& keys_;
  int nextId_ = 1;
};

template <class Match>
const TrayMenuEntry* FindIn(const std::vector<TrayMenuEntry>& entries, const Match& match) {
  for (const auto& entry : entries) {
    if (match(entry)) return &entry;
    if (const auto* found = FindIn(entry.children, match)) return found;
  }
  return nullptr;
}

}  // namespace

TrayMenuModel BuildTrayMenu(const TStorage& root, platform::KeyNames& keys, bool hotkeysActive,
                            std::string_view versionText) {
  const TBrackwaterStorage& general = General(root);
  const TStorage& configs = ConfigsFolder(root);
  MenuBuilder build(keys);
  TrayMenuModel menu;
  for (int i = 0; i < configs.ChildCount(); ++i)
    menu.items.push_back(build.Configuration(As<TConfigStorage>(configs.Child(i))));

  menu.items.push_back(build.Separator("itmSep4"));
  menu.items.push_back(build.Plugins(PluginsFolder(root)));
  menu.items.push_back(build.Separator("itmSep3"));
  TrayMenuEntry open = build.Fixed("itmNavisionStart", "&Brackwater for Dynamics NAV...", kImageConfiguration,
                                   MenuCommand::OpenBrackwater, general.OpenBrackwater);
  open.isDefault = true;
  menu.items.push_back(std::move(open));
  menu.items.push_back(build.Fixed("itmTemplates", "&Templates...", kImageTemplate, MenuCommand::OpenTemplates));
  menu.items.push_back(build.Separator("itmSep5"));
  TrayMenuEntry toggle = build.Fixed("itmToggleHotkeys", "Toggle &Hotkeys", kImageToggleHotkeys,
                                     MenuCommand::ToggleHotkeys, general.ToggleHotkeys);
  toggle.checked = hotkeysActive;
  menu.items.push_back(std::move(toggle));
  menu.items.push_back(
      build.Fixed("ResetVariables1", "Reset &Variables...", kImageResetVariables, MenuCommand::ResetVariables));
  menu.items.push_back(build.Separator("itmSep1"));
  menu.items.push_back(build.Fixed("itmPreferences", "&Preferences...", kImagePreferences, MenuCommand::Preferences));
  menu.items.push_back(build.Fixed("itmAbout", "&About...", kImageAbout, MenuCommand::About));
  menu.items.push_back(build.Separator("itmSep2"));
  menu.items.push_back(build.Fixed("itmExit", "E&xit", kImageExit, MenuCommand::Exit));

  menu.marginText = "Brackwater ";
  menu.marginText += versionText;
  return menu;
}

const TrayMenuEntry* FindMenuEntry(const TrayMenuModel& menu, int id) {
  return FindIn(menu.items, [id](const TrayMenuEntry& entry) { return entry.id == id; });
}

const TrayMenuEntry* FindConfigEntry(const TrayMenuModel& menu, const TConfigStorage& config) {
  return FindIn(menu.items, [&config](const TrayMenuEntry& entry) { return entry.configuration == &config; });
}

}  // namespace bw
