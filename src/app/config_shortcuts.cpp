#include "app/config_shortcuts.h"

#include <algorithm>
#include <set>

#include "app/item_hotkey.h"
#include "settings/hotkey_text.h"

namespace bw {

namespace {

bool IsWithin(const TStorage* record, const TStorage& top) {
  for (const TStorage* node = record; node != nullptr; node = node->Parent())
    if (node == &top) return true;
  return false;
}

}  // namespace

std::string HotkeyCodeText(std::int32_t code, platform::KeyNames& keys) {
  const TShortCut shortcut = ItemShortcut(code);
  return shortcut == 0 ? std::string() : FormatHotkey(shortcut, keys);
}

void ConfigShortcuts::Rebuild(const TStorage& configsFolder, platform::KeyNames& keys) {
  entries_.clear();
  WalkConfigs(configsFolder, [&](TConfigStorage& config, int) { Add(config, keys); });
}

void ConfigShortcuts::Add(const TConfigStorage& config, platform::KeyNames& keys) {
  entries_.push_back({HotkeyCodeText(config.Hotkey, keys), &config});
}

void ConfigShortcuts::Sync(const TStorage& configsFolder, platform::KeyNames& keys) {
  std::vector<const TConfigStorage*> inTree;
  WalkConfigs(configsFolder, [&](const TConfigStorage& config, int) { inTree.push_back(&config); });
  const std::set<const TConfigStorage*> present(inTree.begin(), inTree.end());
  // Only addresses are compared here: an entry whose record is gone is never dereferenced.
  std::erase_if(entries_, [&](const ConfigShortcut& entry) { return !present.contains(entry.config); });
  std::set<const TConfigStorage*> listed;
  for (const auto& entry : entries_) listed.insert(entry.config);
  for (const TConfigStorage* config : inTree)
    if (!listed.contains(config)) entries_.push_back({{}, config});
  for (auto& entry : entries_) entry.shortcutText = HotkeyCodeText(entry.config->Hotkey, keys);
}

void ConfigShortcuts::Remove(const TStorage& record) {
  std::erase_if(entries_, [&](const ConfigShortcut& entry) { return IsWithin(entry.config, record); });
}

}  // namespace bw
