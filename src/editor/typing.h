// The typing loop: a text turned into posted characters and Enter keys so that every line
// after the first starts in the column where the typing began.
#pragma once

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

#include "editor/posting.h"
#include "editor/typing_pace.h"

namespace bw {

// The cursor marker: never typed, it only marks where the caret belongs afterwards.
inline constexpr char kCursorMarker = '|';

// Types the text into the window and reports whether it held a cursor marker.
// CR becomes Enter (then the pace's new-line wait, then one Left per leading space of the line
// just ended, undoing the editor's automatic indentation, without pauses); LF and "|" are not
// typed; every other byte becomes one WM_CHAR followed by the pace's character wait (none by
// default). Leading spaces end at the first byte that is neither a space, LF nor "|" (a tab
// ends them): a marker among them takes no column, so the spaces on both of its sides are the
// ones the editor indents the next line by.
// Run it inside an InputGuard, which first waits for the user to let go of the modifiers.
bool TypeText(Poster& poster, platform::WindowId window, std::string_view text, TypingPace pace = {});

// Types the text exactly as it stands, for a login: CR becomes Enter (with the same waits),
// LF is not typed, every other byte ("|" and spaces included) becomes one WM_CHAR. No caret
// keys are ever sent.
void TypeVerbatim(Poster& poster, platform::WindowId window, std::string_view text, TypingPace pace = {});

// The text's lines: CR LF, CR or LF end a line; a line break at the very end adds no line.
std::vector<std::string> SplitLines(std::string_view text);
// True when the text's last character is CR or LF.
bool EndsWithLineBreak(std::string_view text);

}  // namespace bw
