// The choice among the items bound to one pressed key, when there are several.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>

#include "editor/item_kind.h"
#include "settings/storage.h"

namespace bw {

// An item bound to a pressed key: a template, a configuration or a plug-in.
struct HotkeyItem {
  ItemKind kind = ItemKind::Template;
  std::string name;
  const TStorage* record = nullptr;  // not owned
};

// The "Select Item to Activate..." list.
class ItemPicker {
public:
  virtual ~ItemPicker() = default;
  // Index into `items` of the item chosen with OK; nullopt for Cancel or no selection.
  virtual std::optional<std::size_t> Choose(std::span<const HotkeyItem> items) = 0;
};

}  // namespace bw
