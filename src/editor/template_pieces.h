// A template text while it is expanded: stretches of the template's own text, in which tags
// are looked for, and the values that replaced tags. A value is never read as a tag again, so
// a value holding its own tag, or "<<" meeting ">>" across a value, makes no new tag, and the
// text grows by at most the values written.
#pragma once

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace bw {

// The longest expanded template: far beyond anything worth typing into an editor.
inline constexpr std::size_t kMaxExpandedLength = std::size_t{1} << 20;

class TemplateTooLong : public std::runtime_error {
public:
  TemplateTooLong() : std::runtime_error("The expanded template is longer than 1048576 characters.") {}
};

struct TemplatePiece {
  std::string text;
  bool isValue = false;
};
using TemplatePieces = std::vector<TemplatePiece>;

TemplatePieces PiecesOf(std::string_view text);
std::string Join(const TemplatePieces& pieces);

// Collects the pieces of a new text; throws TemplateTooLong as soon as they pass the limit.
class PieceWriter {
public:
  explicit PieceWriter(std::size_t limit = kMaxExpandedLength) : limit_(limit) {}
  void Text(std::string_view text) { Add(text, false); }
  void Value(std::string_view text) { Add(text, true); }
  TemplatePieces Take() { return std::move(pieces_); }

private:
  void Add(std::string_view text, bool isValue);

  std::size_t limit_;
  std::size_t length_ = 0;
  TemplatePieces pieces_;
};

// Tag keys with their replacement values, compared without letter case.
class TagKeys {
public:
  // False (and no change) when the key is there already.
  bool Add(std::string_view key, std::string value);
  const std::string* Find(std::string_view key) const;

  // The leftmost occurrence of open + key + close in `text` that starts at or after `from` and
  // whose close starts at `closeAt`; the key may not hold the close.
  struct Match {
    std::size_t start;
    const std::string* value;
  };
  std::optional<Match> EndingAt(std::string_view text, std::size_t from, std::size_t closeAt,
                                std::string_view open) const;

private:
  // The keys are kept reversed in a trie, so that the occurrences ending at one close are all
  // found by one walk back from it.
  struct Node {
    std::vector<std::pair<char, std::size_t>> children;  // sorted by character
    std::optional<std::size_t> value;
  };
  std::size_t Child(std::size_t node, char c) const;  // 0 when there is none (the root is no child)

  std::vector<Node> nodes_{Node{}};
  std::vector<std::string> values_;
};

// Writes text[cursor, ...) with every open + key + close whose key is one of `keys` replaced,
// looking for the next `close` from `search` on. Returns where the unwritten tail begins.
std::size_t WriteReplacingKeys(PieceWriter& writer, std::string_view text, std::size_t cursor, std::size_t search,
                               std::string_view open, std::string_view close, const TagKeys& keys);

// Replaces, in the template's own text, every open + key + close whose key is one of `keys`;
// values are left as they are.
TemplatePieces ReplaceKeys(const TemplatePieces& pieces, std::string_view open, std::string_view close,
                           const TagKeys& keys);

}  // namespace bw
