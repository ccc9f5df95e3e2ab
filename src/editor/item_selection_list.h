// The choice among the items that share one hotkey ("Select Item to Activate..."): the items
// sorted by name, and the list's incremental search, which moves the selection to the first
// item whose name starts with the letters typed.
#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "editor/item_kind.h"

namespace bw {

struct SelectableItem {
  std::string name;
  ItemKind kind = ItemKind::Template;
  std::size_t index = 0;  // the caller's own reference to the item
};

// Letters typed closer together than this extend the search text; after a longer pause a
// letter starts a new search.
inline constexpr std::chrono::milliseconds kIncrementalSearchPause{1000};

class ItemSelectionList {
public:
  // Sorted by name, letter case ignored; equal names keep the order given. Nothing selected.
  explicit ItemSelectionList(std::vector<SelectableItem> items);

  const std::vector<SelectableItem>& Items() const { return items_; }
  std::optional<std::size_t> Selected() const { return selected_; }
  void Select(std::optional<std::size_t> position);

  // One typed character at the time `at` (any steady clock). Moves the selection to the first
  // item whose name starts with the search text, letter case ignored; with no such item the
  // selection stays. Control characters are ignored. Returns the selection.
  std::optional<std::size_t> TypeCharacter(char c, std::chrono::milliseconds at);

private:
  std::vector<SelectableItem> items_;
  std::optional<std::size_t> selected_;
  std::string search_;
  std::optional<std::chrono::milliseconds> lastTyped_;
};

}  // namespace bw
