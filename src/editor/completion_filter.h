// The rows of the open completion list: every completion word whose text begins with the
// filter (letter case aside), in the list's order, and the selected row.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/completion_words.h"

namespace bw {

class CompletionFilter {
public:
  // Starts with an empty filter: every word is a row.
  CompletionFilter();

  // Rebuilds the rows for a new filter and selects the first row (none when there is no row).
  void SetFilter(std::string filter);
  const std::string& Filter() const { return filter_; }

  const std::vector<CompletionEntry>& Rows() const { return rows_; }
  std::optional<std::size_t> Selected() const { return selected_; }
  // The word of the selected row; empty when no row is selected.
  std::string_view SelectedWord() const;

  // Move the selection by one row; false (and no change) at the first or last row.
  bool SelectPrevious();
  bool SelectNext();
  // Selects a row by index; false when there is no such row.
  bool Select(std::size_t row);

private:
  std::string filter_;
  std::vector<CompletionEntry> rows_;
  std::optional<std::size_t> selected_;
};

// True when the word begins with the filter, letter case aside.
bool MatchesFilter(std::string_view word, std::string_view filter);

}  // namespace bw
