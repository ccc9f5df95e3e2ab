#include "app/notify_atom.h"

namespace bw {

std::optional<NotifyBalloonText> SplitNotifyAtom(std::string_view atomName) {
  if (atomName.empty()) return std::nullopt;
  const auto bar = atomName.find('|');
  if (bar == std::string_view::npos) return NotifyBalloonText{atomName, atomName};
  return NotifyBalloonText{atomName.substr(0, bar), atomName.substr(bar + 1)};
}

}  // namespace bw
