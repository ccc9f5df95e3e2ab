// The words of code completion: C/AL keywords (K), properties and system values (P) and methods
// and functions (M), from eight fixed lists.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

namespace bw {

enum class WordKind : char { Keyword = 'K', Property = 'P', Method = 'M' };

struct CompletionEntry {
  WordKind kind;
  std::string_view word;
  friend bool operator==(const CompletionEntry&, const CompletionEntry&) = default;
};

// The eight lists as they stand, entries "kind,word" in their order (with repeats).
std::span<const std::string_view> CompletionSourceLists(std::size_t list);
inline constexpr std::size_t kCompletionListCount = 8;

// CompletionWords: every entry of the eight lists once (an entry already present, letter case
// aside, is not added again), sorted by its "kind,word" text without regard to case.
std::span<const CompletionEntry> CompletionWords();

// The same entries in the order the list shows its rows: by word, letter case aside; one word
// of two kinds (IMPORT) keeps the order of CompletionWords.
std::span<const CompletionEntry> CompletionRowsInOrder();

// Case-insensitive ordering of ASCII texts, as the list sorts its captions.
int CompareNoCase(std::string_view a, std::string_view b);

}  // namespace bw
