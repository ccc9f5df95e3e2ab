#include "base/app_texts.h"

namespace bw {

std::string TrayHint(bool hotkeysActive) {
  std::string hint(kAppTitle);
  hint += "\r\n";
  hint += kHintStatus;
  hint += hotkeysActive ? kActive : kInactive;
  return hint;
}

}  // namespace bw
