#include "editor/template_pieces.h"

#include <algorithm>

#include "base/text_case.h"

namespace bw {

TemplatePieces PiecesOf(std::string_view text) {
  PieceWriter writer;
  writer.Text(text);
  return writer.Take();
}

std::string Join(const TemplatePieces& pieces) {
  std::size_t length = 0;
  for (const auto& piece : pieces) length += piece.text.size();
  std::string text;
  text.reserve(length);
  for (const auto& piece : pieces) text += piece.text;
  return text;
}

void PieceWriter::Add(std::string_view text, bool isValue) {
  // An empty value still parts the text around it: "<" and "<" on its two sides make no "<<".
  if (text.empty() && !isValue) return;
  if (text.size() > limit_ - length_) throw TemplateTooLong();
  length_ += text.size();
  if (!isValue && !pieces_.empty() && !pieces_.back().isValue)
    pieces_.back().text.append(text);
  else
    pieces_.push_back({std::string(text), isValue});
}

std::size_t TagKeys::Child(std::size_t node, char c) const {
  const auto& children = nodes_[node].children;
  const auto at = std::lower_bound(children.begin(), children.end(), c,
                                   [](const auto& child, char wanted) { return child.first < wanted; });
  return at != children.end() && at->first == c ? at->second : 0;
}

bool TagKeys::Add(std::string_view key, std::string value) {
  std::size_t node = 0;
  for (auto it = key.rbegin(); it != key.rend(); ++it) {
    const char c = FoldCase(*it);
    std::size_t next = Child(node, c);
    if (next == 0) {
      next = nodes_.size();
      nodes_.emplace_back();
      auto& children = nodes_[node].children;
      const auto at = std::lower_bound(children.begin(), children.end(), c,
                                       [](const auto& child, char wanted) { return child.first < wanted; });
      children.insert(at, {c, next});
    }
    node = next;
  }
  if (nodes_[node].value) return false;
  nodes_[node].value = values_.size();
  values_.push_back(std::move(value));
  return true;
}

const std::string* TagKeys::Find(std::string_view key) const {
  std::size_t node = 0;
  for (auto it = key.rbegin(); it != key.rend(); ++it) {
    node = Child(node, FoldCase(*it));
    if (node == 0) return nullptr;
  }
  return nodes_[node].value ? &values_[*nodes_[node].value] : nullptr;
}

std::optional<TagKeys::Match> TagKeys::EndingAt(std::string_view text, std::size_t from, std::size_t closeAt,
                                                std::string_view open) const {
  std::optional<Match> found;
  std::size_t node = 0;
  std::size_t keyStart = closeAt;  // the key is text[keyStart, closeAt)
  while (true) {
    if (nodes_[node].value && keyStart >= from + open.size() &&
        EqualsIgnoringCase(text.substr(keyStart - open.size(), open.size()), open))
      found = Match{keyStart - open.size(), &values_[*nodes_[node].value]};
    if (keyStart <= from + open.size()) break;
    node = Child(node, FoldCase(text[keyStart - 1]));
    if (node == 0) break;
    --keyStart;
  }
  return found;
}

std::size_t WriteReplacingKeys(PieceWriter& writer, std::string_view text, std::size_t cursor, std::size_t search,
                               std::string_view open, std::string_view close, const TagKeys& keys) {
  while (true) {
    const auto closeAt = text.find(close, search);
    if (closeAt == std::string_view::npos) return cursor;
    if (const auto match = keys.EndingAt(text, cursor, closeAt, open)) {
      writer.Text(text.substr(cursor, match->start - cursor));
      writer.Value(*match->value);
      cursor = closeAt + close.size();
      search = cursor + open.size();
    } else {
      search = closeAt + 1;
    }
  }
}

TemplatePieces ReplaceKeys(const TemplatePieces& pieces, std::string_view open, std::string_view close,
                           const TagKeys& keys) {
  PieceWriter writer;
  for (const auto& piece : pieces) {
    if (piece.isValue) {
      writer.Value(piece.text);
      continue;
    }
    const std::size_t cursor = WriteReplacingKeys(writer, piece.text, 0, open.size(), open, close, keys);
    writer.Text(std::string_view(piece.text).substr(cursor));
  }
  return writer.Take();
}

}  // namespace bw
