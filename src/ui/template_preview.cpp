#include "ui/template_preview.h"

namespace bw {

TemplatePreview MakeTemplatePreview(std::string_view templateText) {
  TemplatePreview preview;
  preview.text.reserve(templateText.size());
  // shownAt[i]: the position in the shown text of the template's byte i (one past the end too).
  std::vector<std::size_t> shownAt(templateText.size() + 1, 0);
  for (std::size_t i = 0; i < templateText.size(); ++i) {
    shownAt[i] = preview.text.size();
    const char c = templateText[i];
    if (c == '\r' && i + 1 < templateText.size() && templateText[i + 1] == '\n') {
      shownAt[++i] = preview.text.size();  // the LF of a CR LF shares its CR's position
      preview.text.push_back('\r');
    } else {
      preview.text.push_back(c == '\n' ? '\r' : c);
    }
  }
  shownAt[templateText.size()] = preview.text.size();

  for (const TextSpan& span : HighlightTags(templateText)) {
    const std::size_t start = shownAt[span.start];
    const std::size_t end = shownAt[span.start + span.length];
    preview.red.push_back({start, end - start});
  }
  return preview;
}

}  // namespace bw
