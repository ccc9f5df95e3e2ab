#include "editor/typing.h"

namespace bw {

bool TypeText(Poster& poster, platform::WindowId window, std::string_view text, TypingPace pace) {
  int leadingSpaces = 0;
  bool nonBlankSeen = false;
  bool markerSeen = false;
  for (const char c : text) {
    if (c == '\r') {
      poster.PostKey(window, platform::vk::Enter, pace.newLine);
      for (int i = 0; i < leadingSpaces; ++i) poster.PostKey(window, platform::vk::Left, std::chrono::milliseconds::zero());
      leadingSpaces = 0;
      nonBlankSeen = false;
      continue;
    }
    if (c != '\n' && c != kCursorMarker) poster.PostChar(window, c, pace.character);
    if (c == ' ' && !nonBlankSeen) ++leadingSpaces;
    if (c != ' ' && c != '\n' && c != kCursorMarker) nonBlankSeen = true;
    if (c == kCursorMarker) markerSeen = true;
  }
  return markerSeen;
}

void TypeVerbatim(Poster& poster, platform::WindowId window, std::string_view text, TypingPace pace) {
  for (const char c : text) {
    if (c == '\r')
      poster.PostKey(window, platform::vk::Enter, pace.newLine);
    else if (c != '\n')
      poster.PostChar(window, c, pace.character);
  }
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(std::move(line));
      line.clear();
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(std::move(line));
  return lines;
}

bool EndsWithLineBreak(std::string_view text) {
  return !text.empty() && (text.back() == '\r' || text.back() == '\n');
}

}  // namespace bw
