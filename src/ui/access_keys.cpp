#include "ui/access_keys.h"

#include "base/text_case.h"

namespace bw {

char AccessKeyOf(std::string_view caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] != '&') return UpperAscii(caption[i + 1]);
    ++i;  // "&&" is a literal ampersand
  }
  return '\0';
}

bool HasAccessKey(std::string_view caption, char key) {
  return key != '\0' && AccessKeyOf(caption) == UpperAscii(key);
}

}  // namespace bw
