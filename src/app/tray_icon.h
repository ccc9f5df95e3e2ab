// The program's icon in the notification area as the application core uses it: its tooltip and
// its balloons.
#pragma once

#include <string>
#include <string_view>

namespace bw {

struct Balloon {
  std::string title;  // at most 63 characters
  std::string text;   // at most 255 characters
  int seconds = 10;
};
// Cuts title and text to what the notification area takes.
Balloon MakeBalloon(std::string_view title, std::string_view text, int seconds);

class TrayIcon {
public:
  virtual ~TrayIcon() = default;
  // Adds the icon to the notification area; nothing happens while it is there.
  virtual void AddAgain() = 0;
  virtual void SetHint(std::string_view hint) = 0;
  // Always with the information icon.
  virtual void ShowBalloon(const Balloon& balloon) = 0;
};

}  // namespace bw
