// The notification-area icon: present while the program runs, with a hint and balloons.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string_view>

#include "app/tray_icon.h"

namespace bw::win32 {

class TrayIcon final : public bw::TrayIcon {
public:
  // The icon reports mouse actions to `owner` as `callbackMessage` (lParam = mouse message).
  TrayIcon(HWND owner, UINT callbackMessage, HICON icon);
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;
  ~TrayIcon() override;  // removes the icon

  // bw::TrayIcon
  void AddAgain() override { Show(); }
  void SetHint(std::string_view hint) override;
  void ShowBalloon(const Balloon& balloon) override { ShowBalloonText(balloon.title, balloon.text, static_cast<unsigned>(balloon.seconds)); }
  // The shell's notification state, and the user's switch for all notifications.
  NotificationState Notifications() override;

  // Adds the icon; harmless while it is present. Fails silently without a shell.
  void Show();
  // Removes the icon and adds it again (the shell's taskbar was re-created).
  void Reinstall();
  void Remove();
  // Information icon; title cut to 63 and text to 255 characters.
  void ShowBalloonText(std::string_view title, std::string_view text, unsigned seconds);

private:
  NOTIFYICONDATAA Data(UINT flags) const;

  HWND owner_;
  UINT callbackMessage_;
  HICON icon_;
  char hint_[128] = {};
};

}  // namespace bw::win32
