#include "app/hotkey_items.h"

#include "app/item_hotkey.h"
#include "settings/hotkey_text.h"

namespace bw {

namespace {

bool Matches(std::int32_t stored, unsigned virtualKey, unsigned modifiers) {
  const TShortCut key = ItemShortcut(stored);
  if (key == 0) return false;
  const SplitKey split = SplitHotkey(key);
  return split.virtualKey == virtualKey && split.modifiers == modifiers;
}

}  // namespace

std::vector<HotkeyItem> ItemsForKey(const TStorage& root, const ConfigShortcuts& configs, unsigned virtualKey,
                                    unsigned modifiers) {
  std::vector<HotkeyItem> items;
  const TStorage& templates = TemplatesFolder(root);
  for (int i = 0; i < templates.ChildCount(); ++i) {
    const auto& item = As<TCommentStorage>(templates.Child(i));
    if (Matches(item.Hotkey, virtualKey, modifiers))
      items.push_back({ItemKind::Template, item.CommentName, &item});
  }
  for (const auto& entry : configs.Entries()) {
    const TConfigStorage* config = entry.config;
    if (config != nullptr && !config->IsSubMenu && Matches(config->Hotkey, virtualKey, modifiers))
      items.push_back({ItemKind::Configuration, config->ConfigName, config});
  }
  const TStorage& plugins = PluginsFolder(root);
  for (int i = 0; i < plugins.ChildCount(); ++i) {
    const auto& plugin = As<TPluginStorage>(plugins.Child(i));
    if (Matches(plugin.Hotkey, virtualKey, modifiers))
      items.push_back({ItemKind::Plugin, plugin.PluginName, &plugin});
  }
  return items;
}

}  // namespace bw
