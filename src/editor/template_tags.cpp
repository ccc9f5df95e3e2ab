#include "editor/template_tags.h"

#include "base/text_case.h"

namespace bw {

std::string NextTagName(std::string_view text) {
  const auto open = text.find(kTagOpen);
  if (open == std::string_view::npos) return {};
  const auto close = text.find(kTagClose, open + kTagOpen.size());
  if (close == std::string_view::npos) return {};
  return std::string(text.substr(open + kTagOpen.size(), close - open - kTagOpen.size()));
}

std::string VariableName(std::string_view tag) {
  if (tag.find(kOnceSuffix) == std::string_view::npos) return std::string(tag);
  return std::string(tag.substr(0, tag.size() - kOnceSuffix.size()));
}

bool IsOnceTag(std::string_view tag) { return FindIgnoringCase(tag, kOnceSuffix) != std::string_view::npos; }

}  // namespace bw
