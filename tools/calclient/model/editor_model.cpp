#include "editor_model.h"

#include <algorithm>

namespace bw::calclient {

namespace {

int Length(const std::string& line) { return static_cast<int>(line.size()); }

std::size_t Index(int column) { return static_cast<std::size_t>(column); }

// Column of the first character that is not a space or tab; -1 for a blank line.
int FirstNonBlank(const std::string& line) {
  const auto found = line.find_first_not_of(" \t");
  return found == std::string::npos ? -1 : static_cast<int>(found);
}

}  // namespace

EditorModel::EditorModel() : lines_(1) {}

void EditorModel::SetText(std::string_view text) {
  lines_.assign(1, std::string());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      lines_.emplace_back();
    } else {
      lines_.back().push_back(c);
    }
  }
  caret_ = {};
  anchor_.reset();
}

Position EditorModel::Clamped(Position p) const {
  p.line = std::clamp(p.line, 0, static_cast<int>(lines_.size()) - 1);
  p.column = std::clamp(p.column, 0, kMaxColumn);
  return p;
}

void EditorModel::Place(Position caret, std::optional<Position> anchor) {
  caret_ = Clamped(caret);
  anchor_.reset();
  if (anchor && Clamped(*anchor) != caret_) anchor_ = Clamped(*anchor);
}

std::string EditorModel::Text() const {
  std::string text;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += lines_[i];
  }
  return text;
}

std::string EditorModel::SelectedText() const {
  if (!HasSelection()) return {};
  const Position from = std::min(*anchor_, caret_);
  const Position to = std::max(*anchor_, caret_);
  std::string text;
  for (int line = from.line; line <= to.line; ++line) {
    const std::string& content = lines_[static_cast<std::size_t>(line)];
    const int begin = line == from.line ? std::min(from.column, Length(content)) : 0;
    const int end = line == to.line ? std::min(to.column, Length(content)) : Length(content);
    if (line > from.line) text += "\r\n";
    if (end > begin) text += content.substr(Index(begin), Index(end - begin));
  }
  return text;
}

void EditorModel::PadTo(Position at) {
  std::string& line = lines_[static_cast<std::size_t>(at.line)];
  if (Length(line) < at.column) line.resize(Index(at.column), ' ');
}

void EditorModel::DeleteSelection() {
  if (!HasSelection()) {
    anchor_.reset();
    return;
  }
  const Position from = std::min(*anchor_, caret_);
  const Position to = std::max(*anchor_, caret_);
  const std::string& last = lines_[static_cast<std::size_t>(to.line)];
  const std::string tail = Index(to.column) < last.size() ? last.substr(Index(to.column)) : std::string();
  std::string& first = lines_[static_cast<std::size_t>(from.line)];
  if (Index(from.column) < first.size()) first.erase(Index(from.column));
  if (!tail.empty()) {
    PadTo(from);
    first += tail;
  }
  lines_.erase(lines_.begin() + from.line + 1, lines_.begin() + to.line + 1);
  caret_ = from;
  anchor_.reset();
}

void EditorModel::Type(char c) {
  if (c == '\r' || c == '\n') return;
  DeleteSelection();
  PadTo(caret_);
  std::string& line = lines_[static_cast<std::size_t>(caret_.line)];
  line.insert(Index(caret_.column), 1, c);
  caret_.column = std::min(caret_.column + 1, kMaxColumn);
}

void EditorModel::Enter() {
  DeleteSelection();
  std::string& line = lines_[static_cast<std::size_t>(caret_.line)];
  const std::size_t cut = std::min(line.size(), Index(caret_.column));
  const std::string rest = line.substr(cut);
  line.erase(cut);
  // A blank line gives no first non-blank column; the new line keeps the caret's column then.
  const int firstNonBlank = FirstNonBlank(line);
  const int indent = firstNonBlank >= 0 ? firstNonBlank : std::min(caret_.column, kMaxColumn);
  // The caret is placed in the column without typing spaces; only text that moves down with
  // the caret is indented by real spaces.
  std::string next = rest.empty() ? std::string() : std::string(Index(indent), ' ') + rest;
  lines_.insert(lines_.begin() + caret_.line + 1, std::move(next));
  caret_ = {caret_.line + 1, indent};
}

void EditorModel::Delete() {
  if (HasSelection()) {
    DeleteSelection();
    return;
  }
  anchor_.reset();
  std::string& line = lines_[static_cast<std::size_t>(caret_.line)];
  if (caret_.column < Length(line)) {
    line.erase(Index(caret_.column), 1);
  } else if (caret_.line + 1 < static_cast<int>(lines_.size())) {
    PadTo(caret_);
    line += lines_[static_cast<std::size_t>(caret_.line + 1)];
    lines_.erase(lines_.begin() + caret_.line + 1);
  }
}

void EditorModel::Backspace() {
  if (HasSelection()) {
    DeleteSelection();
    return;
  }
  anchor_.reset();
  std::string& line = lines_[static_cast<std::size_t>(caret_.line)];
  if (caret_.column > Length(line)) {
    --caret_.column;  // beyond the end there is nothing to delete
  } else if (caret_.column > 0) {
    line.erase(Index(caret_.column - 1), 1);
    --caret_.column;
  } else if (caret_.line > 0) {
    std::string& previous = lines_[static_cast<std::size_t>(caret_.line - 1)];
    const int joinColumn = Length(previous);
    previous += line;
    lines_.erase(lines_.begin() + caret_.line);
    caret_ = {caret_.line - 1, joinColumn};
  }
}

void EditorModel::Move(EditKey key) {
  const int lastLine = static_cast<int>(lines_.size()) - 1;
  const int length = Length(lines_[static_cast<std::size_t>(caret_.line)]);
  switch (key) {
    case EditKey::Home: caret_.column = 0; break;
    case EditKey::End: caret_.column = length; break;
    case EditKey::Left:
      if (caret_.column > 0) {
        --caret_.column;
      } else if (caret_.line > 0) {
        --caret_.line;
        caret_.column = Length(lines_[static_cast<std::size_t>(caret_.line)]);
      }
      break;
    case EditKey::Right: caret_.column = std::min(caret_.column + 1, kMaxColumn); break;
    case EditKey::Up: caret_.line = std::max(caret_.line - 1, 0); break;
    case EditKey::Down: caret_.line = std::min(caret_.line + 1, lastLine); break;
    default: break;
  }
}

void EditorModel::Press(EditKey key, bool shift) {
  switch (key) {
    case EditKey::Enter: Enter(); return;
    case EditKey::Delete: Delete(); return;
    case EditKey::Backspace: Backspace(); return;
    default: break;
  }
  if (shift) {
    if (!anchor_) anchor_ = caret_;
    Move(key);
    if (*anchor_ == caret_) anchor_.reset();
  } else {
    anchor_.reset();
    Move(key);
  }
}

std::optional<std::string> EditorModel::Copy() {
  if (!HasSelection()) return std::nullopt;
  std::string text = SelectedText();
  const Position from = std::min(*anchor_, caret_);
  caret_ = std::max(*anchor_, caret_);
  anchor_ = from;
  return text;
}

}  // namespace bw::calclient
