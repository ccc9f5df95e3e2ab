#include "platform/fake/us_key_translation.h"

#include <string_view>

namespace bw::fake {

std::string UsKeyTranslation::Translate(std::uint32_t virtualKey, std::uint32_t) {
  const platform::Modifiers held = held_;
  const bool shift = (held & platform::kHeldShift) != 0;
  const bool ctrl = (held & platform::kHeldCtrl) != 0;
  if (ctrl && (held & platform::kHeldAlt) != 0) return {};  // AltGr: nothing on a US layout
  if (virtualKey >= 'A' && virtualKey <= 'Z') {
    if (ctrl) return std::string(1, static_cast<char>(virtualKey - 'A' + 1));
    return std::string(1, static_cast<char>(shift ? virtualKey : virtualKey - 'A' + 'a'));
  }
  if (virtualKey >= '0' && virtualKey <= '9') {
    if (ctrl) return {};
    constexpr std::string_view shifted = ")!@#$%^&*(";
    return std::string(1, shift ? shifted[virtualKey - '0'] : static_cast<char>(virtualKey));
  }
  switch (virtualKey) {
    case usvk::Backspace: return ctrl ? std::string(1, '\x7f') : std::string(1, '\b');
    case usvk::Tab: return ctrl ? std::string() : std::string(1, '\t');
    case usvk::Enter: return ctrl ? std::string(1, '\n') : std::string(1, '\r');
    case usvk::Escape: return std::string(1, '\x1b');
    case usvk::Space: return " ";
    case usvk::Semicolon: return ctrl ? std::string() : std::string(1, shift ? ':' : ';');
    case usvk::Comma: return ctrl ? std::string() : std::string(1, shift ? '<' : ',');
    case usvk::Period: return ctrl ? std::string() : std::string(1, shift ? '>' : '.');
    default: return {};
  }
}

}  // namespace bw::fake
