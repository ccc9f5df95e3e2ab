// The text, caret and selection of the test client's C/AL editor, and how it reacts to keys.
// It behaves as Brackwater expects of the Navision client's editor: the caret may stand beyond
// the end of a line (Up and Down keep its column), Enter indents the new line to the first
// non-blank column of the line just ended, Home goes to column 1, and copying leaves the caret
// at the end of the selection.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bw::calclient {

// Line and column from 0. The column may lie beyond the end of the line.
struct Position {
  int line = 0;
  int column = 0;
  friend bool operator==(const Position&, const Position&) = default;
  friend auto operator<=>(const Position&, const Position&) = default;
};

enum class EditKey { Enter, Home, End, Left, Right, Up, Down, Delete, Backspace };

class EditorModel {
public:
  static constexpr int kMaxColumn = 1024;

  EditorModel();

  // Replaces the text (CR LF, CR or LF end a line) and puts the caret at the start.
  void SetText(std::string_view text);
  // Places the caret (clamped to the text's lines and the column limit) and the selection
  // anchor; no anchor, or one equal to the caret, means no selection.
  void Place(Position caret, std::optional<Position> anchor = std::nullopt);

  // A typed character (any byte but CR and LF) at the caret; replaces the selection.
  void Type(char c);
  // A key; with shift the caret moves and the selection follows it.
  void Press(EditKey key, bool shift);
  // The copy chord: the selected text as CR LF lines, the caret moved to the end of the
  // selection (which stays selected). Nothing when nothing is selected.
  std::optional<std::string> Copy();

  const std::vector<std::string>& Lines() const { return lines_; }
  std::string Text() const;  // lines joined by CR LF
  Position Caret() const { return caret_; }
  std::optional<Position> Anchor() const { return anchor_; }
  bool HasSelection() const { return anchor_.has_value() && *anchor_ != caret_; }
  std::string SelectedText() const;

private:
  void Move(EditKey key);
  void Enter();
  void Delete();
  void Backspace();
  void DeleteSelection();
  void PadTo(Position at);  // fills the line with spaces up to the column
  Position Clamped(Position p) const;

  std::vector<std::string> lines_;
  Position caret_;
  std::optional<Position> anchor_;
};

}  // namespace bw::calclient
