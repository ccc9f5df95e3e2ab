#include "editor/item_selection_list.h"

#include <algorithm>

#include "base/text_case.h"

namespace bw {

ItemSelectionList::ItemSelectionList(std::vector<SelectableItem> items) : items_(std::move(items)) {
  std::stable_sort(items_.begin(), items_.end(), [](const SelectableItem& a, const SelectableItem& b) {
    return LessIgnoringCase(a.name, b.name);
  });
}

void ItemSelectionList::Select(std::optional<std::size_t> position) {
  if (position && *position < items_.size())
    selected_ = position;
  else
    selected_.reset();
}

std::optional<std::size_t> ItemSelectionList::TypeCharacter(char c, std::chrono::milliseconds at) {
  if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return selected_;
  if (!lastTyped_ || at < *lastTyped_ || at - *lastTyped_ > kIncrementalSearchPause) search_.clear();
  lastTyped_ = at;
  if (search_.size() < 256) search_ += c;
  for (std::size_t i = 0; i < items_.size(); ++i) {
    if (StartsWithIgnoringCase(items_[i].name, search_)) {
      selected_ = i;
      break;
    }
  }
  return selected_;
}

}  // namespace bw
