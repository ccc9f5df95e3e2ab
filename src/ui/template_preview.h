// A template text as a rich-text view shows it: every line break one character, and the tags
// to colour red at the positions the view counts.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "editor/tag_highlight.h"

namespace bw {

struct TemplatePreview {
  std::string text;             // each CR LF, lone CR or lone LF of the template as one CR
  std::vector<TextSpan> red;    // positions in `text`, in order, not overlapping
};

// The view keeps a paragraph end as a single character, so the template's line breaks are
// made single CRs here and the tag spans of HighlightTags moved to match.
TemplatePreview MakeTemplatePreview(std::string_view templateText);

}  // namespace bw
