#include "editor/tag_highlight.h"

#include "editor/template_tags.h"

namespace bw {

std::vector<TextSpan> HighlightTags(std::string_view text) {
  std::vector<TextSpan> spans;
  std::size_t close = 0;
  bool haveClose = false;
  for (auto open = text.find(kTagOpen); open != std::string_view::npos; open = text.find(kTagOpen, open + 1)) {
    // The first ">>" after an "<<" only moves forward, so it is searched afresh only when the
    // "<<" has passed the last one found.
    if (!haveClose || close < open + 1) {
      close = text.find(kTagClose, open + 1);
      haveClose = true;
    }
    if (close == std::string_view::npos) break;
    const std::size_t end = close + kTagClose.size();
    if (!spans.empty() && open < spans.back().start + spans.back().length) {
      auto& last = spans.back();
      if (end > last.start + last.length) last.length = end - last.start;
    } else {
      spans.push_back({open, end - open});
    }
  }
  return spans;
}

}  // namespace bw
