// The balloon asked for by a "NotifyBrackwater" message that carries a global atom: the atom's
// name is "title|text", split at the first "|"; a name without one is both title and text.
#pragma once

#include <optional>
#include <string_view>

namespace bw {

struct NotifyBalloonText {
  std::string_view title;
  std::string_view text;
};

// Views into `atomName`; nothing for an atom without a name (nothing is shown then).
std::optional<NotifyBalloonText> SplitNotifyAtom(std::string_view atomName);

}  // namespace bw
