// ConfigShortcuts: the configuration hotkey list, one entry per configuration record (folders
// included) in the order the records were added: tree order at start-up, new records at the end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/key_names.h"
#include "settings/storage.h"

namespace bw {

struct ConfigShortcut {
  std::string shortcutText;           // the hotkey's text when the entry was made
  const TConfigStorage* config = nullptr;  // not owned: the record lives in the settings tree
};

class ConfigShortcuts {
public:
  // Every configuration of the folder, depth first, each record before its children.
  void Rebuild(const TStorage& configsFolder, platform::KeyNames& keys);
  // Appends an entry for a record added later (its sub-records are not added).
  void Add(const TConfigStorage& config, platform::KeyNames& keys);
  // Removes the entries of a record and of everything below it; call before the records go.
  void Remove(const TStorage& record);
  void Clear() { entries_.clear(); }
  // Brings the list in step with the folder: entries of records no longer in the tree go, records
  // without an entry are appended in tree order, and every shortcut text is renewed. The order of
  // the remaining entries is kept.
  void Sync(const TStorage& configsFolder, platform::KeyNames& keys);

  const std::vector<ConfigShortcut>& Entries() const { return entries_; }
  std::size_t Size() const { return entries_.size(); }

private:
  std::vector<ConfigShortcut> entries_;
};

// The text of an item's stored hotkey code; empty for none (0) or a value that is no hotkey code.
std::string HotkeyCodeText(std::int32_t code, platform::KeyNames& keys);

}  // namespace bw
