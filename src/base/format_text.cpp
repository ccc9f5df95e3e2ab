#include "base/format_text.h"

namespace bw {

std::string FormatText(std::string_view pattern, std::initializer_list<std::string_view> args) {
  std::string text;
  text.reserve(pattern.size());
  auto next = args.begin();
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '%' && i + 1 < pattern.size()) {
      if (pattern[i + 1] == '%') {
        text += '%';
        ++i;
        continue;
      }
      if (pattern[i + 1] == 's' && next != args.end()) {
        text += *next++;
        ++i;
        continue;
      }
    }
    text += pattern[i];
  }
  return text;
}

}  // namespace bw
