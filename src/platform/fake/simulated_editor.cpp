#include "platform/fake/simulated_editor.h"

#include <algorithm>

#include "platform/keyboard.h"

namespace bw::fake {
namespace {

constexpr std::uint16_t kEnd = 35;

std::size_t Column(int column) { return static_cast<std::size_t>(column); }

}  // namespace

SimulatedEditor::SimulatedEditor(FakeClipboard& clipboard, platform::WindowId editor, platform::WindowId topLevel,
                                 std::uint16_t copyKey)
    : clipboard_(clipboard), editor_(editor), topLevel_(topLevel), copyKey_(copyKey) {}

void SimulatedEditor::SetText(std::string_view text) {
  std::lock_guard lock(mutex_);
  lines_.assign(1, std::string());
  for (const char c : text) {
    if (c == '\n')
      lines_.emplace_back();
    else
      lines_.back() += c;
  }
  caret_ = {};
  anchor_.reset();
}

std::string SimulatedEditor::Text() const {
  std::lock_guard lock(mutex_);
  std::string text;
  for (std::size_t i = 0; i < lines_.size(); ++i) text += (i ? "\n" : "") + lines_[i];
  return text;
}

std::vector<std::string> SimulatedEditor::Lines() const {
  std::lock_guard lock(mutex_);
  return lines_;
}

Caret SimulatedEditor::GetCaret() const {
  std::lock_guard lock(mutex_);
  return caret_;
}

void SimulatedEditor::SetCaret(Caret caret) {
  std::lock_guard lock(mutex_);
  caret_ = caret;
  anchor_.reset();
}

void SimulatedEditor::Select(Caret anchor, Caret caret) {
  std::lock_guard lock(mutex_);
  anchor_ = anchor;
  caret_ = caret;
}

bool SimulatedEditor::HasSelection() const {
  std::lock_guard lock(mutex_);
  return anchor_ && *anchor_ != caret_;
}

void SimulatedEditor::Receive(platform::WindowId window, platform::KeyMessage message, std::uint32_t wParam,
                              std::uint32_t /*lParam*/, platform::Modifiers held) {
  std::lock_guard lock(mutex_);
  const auto key = static_cast<std::uint16_t>(wParam);
  if (window == topLevel_) {
    // The client's window handles its shortcuts; only the copy chord matters here.
    if (key == platform::vk::Control) controlPosted_ = message == platform::KeyMessage::KeyDown;
    const bool control = controlPosted_ || (held & platform::kHeldCtrl) != 0;
    if (message == platform::KeyMessage::KeyDown && key == copyKey_ && control) Copy();
  }
  if (window != editor_) return;
  if (message == platform::KeyMessage::Char) {
    const auto c = static_cast<char>(wParam);
    if (c == '\t' || static_cast<unsigned char>(c) >= 32) Type(c);
  } else if (message == platform::KeyMessage::KeyDown) {
    KeyDown(key, held);
  }
}

std::string& SimulatedEditor::CaretLine() { return lines_[static_cast<std::size_t>(caret_.line)]; }

std::pair<Caret, Caret> SimulatedEditor::SelectionRange() const {
  const Caret anchor = anchor_.value_or(caret_);
  return {std::min(anchor, caret_), std::max(anchor, caret_)};
}

void SimulatedEditor::EraseSelection() {
  if (!anchor_ || *anchor_ == caret_) {
    anchor_.reset();
    return;
  }
  auto [from, to] = SelectionRange();
  std::string& first = lines_[static_cast<std::size_t>(from.line)];
  const std::string& last = lines_[static_cast<std::size_t>(to.line)];
  const std::string tail = Column(to.column) < last.size() ? last.substr(Column(to.column)) : std::string();
  if (first.size() < Column(from.column)) first.resize(Column(from.column), ' ');
  first = first.substr(0, Column(from.column)) + tail;
  lines_.erase(lines_.begin() + from.line + 1, lines_.begin() + to.line + 1);
  caret_ = from;
  anchor_.reset();
}

void SimulatedEditor::Type(char c) {
  EraseSelection();
  std::string& line = CaretLine();
  if (line.size() < Column(caret_.column)) line.resize(Column(caret_.column), ' ');
  line.insert(Column(caret_.column), 1, c);
  ++caret_.column;
}

void SimulatedEditor::Enter() {
  EraseSelection();
  std::string& line = CaretLine();
  const std::size_t split = std::min(line.size(), Column(caret_.column));
  std::string rest = line.substr(split);
  line.resize(split);
  const auto firstNonBlank = line.find_first_not_of(' ');
  const int indent = firstNonBlank == std::string::npos ? caret_.column : static_cast<int>(firstNonBlank);
  if (!rest.empty()) rest.insert(0, Column(indent), ' ');
  lines_.insert(lines_.begin() + caret_.line + 1, std::move(rest));
  caret_ = {caret_.line + 1, indent};
}

void SimulatedEditor::Delete() {
  if (anchor_ && *anchor_ != caret_) {
    EraseSelection();
    return;
  }
  std::string& line = CaretLine();
  if (Column(caret_.column) < line.size()) {
    line.erase(Column(caret_.column), 1);
  } else if (Column(caret_.line) + 1 < lines_.size()) {
    line.resize(Column(caret_.column), ' ');
    line += lines_[Column(caret_.line) + 1];
    lines_.erase(lines_.begin() + caret_.line + 1);
  }
}

void SimulatedEditor::Move(std::uint16_t key, platform::Modifiers held) {
  const bool shift = (held & platform::kHeldShift) != 0;
  const bool control = (held & platform::kHeldCtrl) != 0;
  if (shift && !anchor_) anchor_ = caret_;
  if (!shift) anchor_.reset();
  const int lastLine = static_cast<int>(lines_.size()) - 1;
  switch (key) {
    case platform::vk::Home: caret_ = control ? Caret{} : Caret{caret_.line, 0}; break;
    case kEnd: caret_.column = static_cast<int>(CaretLine().size()); break;
    case platform::vk::Left: caret_.column = std::max(0, caret_.column - 1); break;
    case platform::vk::Right: ++caret_.column; break;
    case platform::vk::Up: caret_.line = std::max(0, caret_.line - 1); break;
    case platform::vk::Down: caret_.line = std::min(lastLine, caret_.line + 1); break;
    default: break;
  }
}

void SimulatedEditor::KeyDown(std::uint16_t key, platform::Modifiers held) {
  switch (key) {
    case platform::vk::Enter: Enter(); break;
    case platform::vk::Delete: Delete(); break;
    case platform::vk::Home:
    case kEnd:
    case platform::vk::Left:
    case platform::vk::Right:
    case platform::vk::Up:
    case platform::vk::Down: Move(key, held); break;
    default: break;
  }
}

void SimulatedEditor::Copy() {
  if (!anchor_ || *anchor_ == caret_) return;  // nothing selected: the clipboard stays as it is
  const auto [from, to] = SelectionRange();
  std::string text;
  for (int i = from.line; i <= to.line; ++i) {
    const std::string& line = lines_[static_cast<std::size_t>(i)];
    const std::size_t begin = i == from.line ? std::min(line.size(), Column(from.column)) : 0;
    const std::size_t end = i == to.line ? std::min(line.size(), Column(to.column)) : line.size();
    if (i > from.line) text += "\r\n";
    text += line.substr(begin, end - std::min(begin, end));
  }
  clipboard_.Put(std::move(text));
  anchor_ = from;
  caret_ = to;
}

}  // namespace bw::fake
