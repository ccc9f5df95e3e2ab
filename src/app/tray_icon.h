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

// Whether the notification area's balloons reach the user now, as the shell tells it.
enum class NotificationState {
  Shown,        // notifications are accepted
  QuietTime,    // focus assist, quiet hours or the first hour after set-up
  Busy,         // a program runs full screen, or in presentation mode
  Away,         // the screen is locked or the screen saver runs
  SwitchedOff,  // notifications are switched off for every program
  Unknown,      // the shell cannot tell (systems before Windows Vista)
};

// Balloons are seen only when notifications are accepted; where the shell cannot tell, as
// before.
bool BalloonsSeen(NotificationState state);

class TrayIcon {
public:
  virtual ~TrayIcon() = default;
  // Adds the icon to the notification area; nothing happens while it is there.
  virtual void AddAgain() = 0;
  virtual void SetHint(std::string_view hint) = 0;
  // Always with the information icon.
  virtual void ShowBalloon(const Balloon& balloon) = 0;
  virtual NotificationState Notifications() = 0;
};

}  // namespace bw
