#include "editor/completion_filter.h"

#include "base/text_case.h"

namespace bw {

bool MatchesFilter(std::string_view word, std::string_view filter) {
  if (filter.size() > word.size()) return false;
  for (std::size_t i = 0; i < filter.size(); ++i) {
    if (UpperAscii(word[i]) != UpperAscii(filter[i])) return false;
  }
  return true;
}

CompletionFilter::CompletionFilter() { SetFilter({}); }

void CompletionFilter::SetFilter(std::string filter) {
  filter_ = std::move(filter);
  rows_.clear();
  for (const CompletionEntry& entry : CompletionRowsInOrder())
    if (MatchesFilter(entry.word, filter_)) rows_.push_back(entry);
  selected_ = rows_.empty() ? std::nullopt : std::optional<std::size_t>(0);
}

std::string_view CompletionFilter::SelectedWord() const { return selected_ ? rows_[*selected_].word : std::string_view{}; }

bool CompletionFilter::SelectPrevious() {
  if (!selected_ || *selected_ == 0) return false;
  --*selected_;
  return true;
}

bool CompletionFilter::SelectNext() {
  if (!selected_ || *selected_ + 1 >= rows_.size()) return false;
  ++*selected_;
  return true;
}

bool CompletionFilter::Select(std::size_t row) {
  if (row >= rows_.size()) return false;
  selected_ = row;
  return true;
}

}  // namespace bw
