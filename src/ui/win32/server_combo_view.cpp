#include "ui/win32/server_combo_view.h"

#include "ui/win32/modal_dialog.h"

namespace bw::ui {

bool ServerComboView::HasEntries() { return SendMessageA(combo_, CB_GETCOUNT, 0, 0) > 0; }

void ServerComboView::SetEntries(const std::vector<std::string>& entries) {
  const std::string typed = WindowText(combo_);
  DWORD start = 0;
  DWORD end = 0;
  SendMessageA(combo_, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  SendMessageA(combo_, WM_SETREDRAW, FALSE, 0);
  SendMessageA(combo_, CB_RESETCONTENT, 0, 0);
  for (const auto& entry : entries) SendMessageA(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  // Emptying the list empties the field too: the typed text comes back as it was.
  SetWindowTextA(combo_, typed.c_str());
  SendMessageA(combo_, CB_SETEDITSEL, 0, MAKELPARAM(start, end));
  SendMessageA(combo_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(combo_, nullptr, TRUE);
}

}  // namespace bw::ui
