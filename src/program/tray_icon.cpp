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

}  // namespace

TrayIcon::TrayIcon(HWND owner, UINT callbackMessage, HICON icon)
    : owner_(owner), callbackMessage_(callbackMessage), icon_(icon) {}

TrayIcon::~TrayIcon() { Remove(); }

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
