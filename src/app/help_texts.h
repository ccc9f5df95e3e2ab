// The numbered field help texts, shown as a tray balloon on F1.
#pragma once

#include <string>

#include "platform/resources.h"
#include "settings/storage.h"

namespace bw {

inline constexpr int kHelpTextCount = 71;
inline constexpr int kHelpBalloonSeconds = 25;

class HelpTexts {
public:
  HelpTexts() = default;
  // Line 0 is a heading; line N is N as three digits, a blank, then the text.
  explicit HelpTexts(StringList lines) : lines_(std::move(lines)) {}

  // Help text N: line N from its fifth character on, at most 255 characters; empty for a number
  // without a line or an unreadable resource.
  std::string Text(int number) const;
  bool Empty() const { return lines_.empty(); }

private:
  StringList lines_;
};

// The "HELP" resource, read once at start.
HelpTexts LoadHelpTexts(platform::Resources& resources);

}  // namespace bw
