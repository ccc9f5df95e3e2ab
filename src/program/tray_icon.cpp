#include "program/tray_icon.h"

#include <algorithm>
#include <cstring>

namespace bw::win32 {
namespace {

template <std::size_t N> void CopyCut(char (&target)[N], std::string_view text) {
  const std::size_t length = std::min(text.size(), N - 1);
  std::memcpy(target, text.data(), length);
  target[length] = '\0';
}

constexpr UINT kIconId = 1;

// "Get notifications from apps and other senders" of Windows 10 and 11 (0 when switched off).
constexpr const char* kPushNotificationsKey = "Software\\Microsoft\\Windows\\CurrentVersion\\PushNotifications";

bool NotificationsSwitchedOff() {
  DWORD enabled = 1;
  DWORD size = sizeof enabled;
  return RegGetValueA(HKEY_CURRENT_USER, kPushNotificationsKey, "ToastEnabled", RRF_RT_REG_DWORD, nullptr, &enabled,
                      &size) == ERROR_SUCCESS &&
         enabled == 0;
}

}  // namespace

TrayIcon::TrayIcon(HWND owner, UINT callbackMessage, HICON icon)
    : owner_(owner), callbackMessage_(callbackMessage), icon_(icon) {}

TrayIcon::~TrayIcon() { Remove(); }

NotificationState TrayIcon::Notifications() {
  if (NotificationsSwitchedOff()) return NotificationState::SwitchedOff;
  QUERY_USER_NOTIFICATION_STATE state{};
  if (FAILED(SHQueryUserNotificationState(&state))) return NotificationState::Unknown;
  constexpr int kImmersiveApp = 7;  // QUNS_APP of Windows 8: a full-screen app is in front
  switch (static_cast<int>(state)) {
    case QUNS_ACCEPTS_NOTIFICATIONS: return NotificationState::Shown;
    case QUNS_QUIET_TIME: return NotificationState::QuietTime;
    case QUNS_NOT_PRESENT: return NotificationState::Away;
    case QUNS_BUSY:
    case QUNS_RUNNING_D3D_FULL_SCREEN:
    case QUNS_PRESENTATION_MODE:
    case kImmersiveApp: return NotificationState::Busy;
    default: return NotificationState::Unknown;
  }
}

NOTIFYICONDATAA TrayIcon::Data(UINT flags) const {
  NOTIFYICONDATAA data{};
  data.cbSize = sizeof data;
  data.hWnd = owner_;
  data.uID = kIconId;
  data.uFlags = flags;
  return data;
}

void TrayIcon::Show() {
  NOTIFYICONDATAA data = Data(NIF_MESSAGE | NIF_ICON | NIF_TIP);
  data.uCallbackMessage = callbackMessage_;
  data.hIcon = icon_;
  CopyCut(data.szTip, hint_);
  Shell_NotifyIconA(NIM_ADD, &data);
}

void TrayIcon::Reinstall() {
  Remove();
  Show();
}

void TrayIcon::Remove() {
  NOTIFYICONDATAA data = Data(0);
  Shell_NotifyIconA(NIM_DELETE, &data);
}

void TrayIcon::SetHint(std::string_view hint) {
  CopyCut(hint_, hint);
  NOTIFYICONDATAA data = Data(NIF_TIP);
  CopyCut(data.szTip, hint_);
  Shell_NotifyIconA(NIM_MODIFY, &data);
}

void TrayIcon::ShowBalloonText(std::string_view title, std::string_view text, unsigned seconds) {
  NOTIFYICONDATAA data = Data(NIF_INFO);
  CopyCut(data.szInfoTitle, title.substr(0, 63));
  CopyCut(data.szInfo, text.substr(0, 255));
  data.dwInfoFlags = NIIF_INFO;
  data.uTimeout = seconds * 1000;
  Shell_NotifyIconA(NIM_MODIFY, &data);
}

}  // namespace bw::win32
