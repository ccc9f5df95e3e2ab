#include "program/focus_tip.h"

#include <commctrl.h>

#include "ui/win32/dpi.h"

namespace bw::win32 {
namespace {

constexpr UINT_PTR kTool = 1;
constexpr int kTipWidth = 360;  // at 96 DPI; longer help texts wrap

TTTOOLINFOA Tool(HWND owner) {
  TTTOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.hwnd = owner;
  tool.uId = kTool;
  return tool;
}

// Below the middle of the focused control, or at the mouse.
POINT TipPoint() {
  POINT at{};
  RECT rect{};
  if (const HWND focus = GetFocus(); focus != nullptr && GetWindowRect(focus, &rect))
    return {(rect.left + rect.right) / 2, rect.bottom};
  GetCursorPos(&at);
  return at;
}

}  // namespace

FocusTip::~FocusTip() { Hide(); }

void FocusTip::Show(const Balloon& tip) {
  Hide();
  tip_.Reset(CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP | TTS_BALLOON,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner_, nullptr,
                             GetModuleHandleA(nullptr), nullptr));
  if (!tip_) return;
  text_ = tip.text;
  TTTOOLINFOA tool = Tool(owner_);
  tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
  tool.lpszText = text_.data();
  SendMessageA(tip_.Get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  const POINT at = TipPoint();
  SendMessageA(tip_.Get(), TTM_SETMAXTIPWIDTH, 0, Scale(kTipWidth, WindowDpi(GetFocus())));
  SendMessageA(tip_.Get(), TTM_SETTITLEA, TTI_INFO, reinterpret_cast<LPARAM>(tip.title.c_str()));
  SendMessageA(tip_.Get(), TTM_TRACKPOSITION, 0, MAKELPARAM(at.x, at.y));
  SendMessageA(tip_.Get(), TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
  SetTimer(owner_, TimerId(), static_cast<UINT>(tip.seconds > 0 ? tip.seconds : 1) * 1000u, nullptr);
}

void FocusTip::Hide() {
  KillTimer(owner_, TimerId());
  if (!tip_) return;
  TTTOOLINFOA tool = Tool(owner_);
  SendMessageA(tip_.Get(), TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
  tip_.Reset();
}

}  // namespace bw::win32
