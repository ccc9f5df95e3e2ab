#include "app/tray_icon.h"

namespace bw {

namespace {
constexpr std::size_t kMaxBalloonTitle = 63;
constexpr std::size_t kMaxBalloonText = 255;
}  // namespace

Balloon MakeBalloon(std::string_view title, std::string_view text, int seconds) {
  return {std::string(title.substr(0, kMaxBalloonTitle)), std::string(text.substr(0, kMaxBalloonText)), seconds};
}

bool BalloonsSeen(NotificationState state) {
  return state == NotificationState::Shown || state == NotificationState::Unknown;
}

}  // namespace bw
