#include "program/frm_code_completer.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/win32/window_handle.h"
#include "base/image_index.h"
#include "ui/win32/dpi.h"

namespace bw::win32 {
namespace {

constexpr const char* kClassName = "TfrmCodeCompleter";
constexpr const char* kApplicationClass = "TfrmMain";
constexpr int kClientWidth = 358;
constexpr int kClientHeight = 128;
constexpr int kColumnWidth = 337;
constexpr int kFontHeight = 12;
constexpr DWORD kStyle = WS_POPUP | WS_DLGFRAME | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
constexpr UINT_PTR kFollowTimer = 1;
constexpr UINT kFollowMs = 50;
constexpr UINT_PTR kListSubclass = 1;

// The outer size of the window for a client area of 358 by 128 pixels at 96 DPI.
RECT OuterRect(int dpi) {
  RECT outer{0, 0, Scale(kClientWidth, dpi), Scale(kClientHeight, dpi)};
  AdjustWindowRectEx(&outer, kStyle, FALSE, kExStyle);
  return outer;
}

int ImageOf(WordKind kind) {
  switch (kind) {
    case WordKind::Keyword: return kImageKeyword;
    case WordKind::Property: return kImageProperty;
    case WordKind::Method: return kImageMethod;
  }
  return kImageMethod;
}

// The application window shows no taskbar button.
void MakeApplicationToolWindow() {
  const DWORD self = GetCurrentProcessId();
  for (HWND window = FindWindowExA(nullptr, nullptr, kApplicationClass, nullptr); window != nullptr;
       window = FindWindowExA(nullptr, window, kApplicationClass, nullptr)) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == self) SetWindowLongA(window, GWL_EXSTYLE, WS_EX_TOOLWINDOW);
  }
}

}  // namespace

TfrmCodeCompleter::TfrmCodeCompleter(HINSTANCE instance, HIMAGELIST images) : instance_(instance), images_(images) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &TfrmCodeCompleter::WindowProc;
  windowClass.hInstance = instance_;
  windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  windowClass.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
  windowClass.lpszClassName = kClassName;
  RegisterClassA(&windowClass);
}

TfrmCodeCompleter::~TfrmCodeCompleter() { Destroy(); }

void TfrmCodeCompleter::UseFontFor(int dpi) {
  if (font_ && fontDpi_ == dpi) return;
  font_.Reset(CreateFontA(Scale(kFontHeight, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                          OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN,
                          "Fixedsys"));
  fontDpi_ = dpi;
}

int TfrmCodeCompleter::Height(int dpi) {
  const RECT outer = OuterRect(dpi);
  return outer.bottom - outer.top;
}

bool TfrmCodeCompleter::Create(platform::WindowId editor, int x, int y, int dpi) {
  Destroy();
  const RECT outer = OuterRect(dpi);
  UseFontFor(dpi);
  editor_ = platform::ToHwnd(editor);
  offset_ = {x, y};
  POINT at = offset_;
  ClientToScreen(editor_, &at);
  window_.Reset(CreateWindowExA(kExStyle, kClassName, "", kStyle, at.x, at.y, outer.right - outer.left,
                                outer.bottom - outer.top, GetAncestor(editor_, GA_ROOT), nullptr, instance_, this));
  if (!window_) return false;
  list_ = CreateWindowExA(0, WC_LISTVIEWA, "",
                          WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                              LVS_OWNERDATA | LVS_SHAREIMAGELISTS,
                          0, 0, Scale(kClientWidth, dpi), Scale(kClientHeight, dpi), window_.Get(), nullptr, instance_,
                          nullptr);
  if (list_ == nullptr) {
    Destroy();
    return false;
  }
  SendMessageA(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  SendMessageA(list_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
  if (images_ != nullptr) SendMessageA(list_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images_));
  LVCOLUMNA column{};
  column.mask = LVCF_WIDTH | LVCF_TEXT;
  column.cx = Scale(kColumnWidth, dpi);
  column.pszText = const_cast<char*>("Name");
  SendMessageA(list_, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
  SetWindowSubclass(list_, &TfrmCodeCompleter::ListProc, kListSubclass, reinterpret_cast<DWORD_PTR>(this));
  MakeApplicationToolWindow();
  SetTimer(window_.Get(), kFollowTimer, kFollowMs, nullptr);
  return true;
}

void TfrmCodeCompleter::ShowRows(std::span<const CompletionEntry> rows, std::optional<std::size_t> selected) {
  if (list_ == nullptr) return;
  rows_.assign(rows.begin(), rows.end());
  SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
  SendMessageA(list_, LVM_SETITEMCOUNT, rows_.size(), LVSICF_NOSCROLL);
  LVITEMA none{};
  none.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
  if (!rows_.empty()) SendMessageA(list_, LVM_ENSUREVISIBLE, 0, FALSE);
  if (selected) Select(*selected);
  SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
  RedrawWindow(list_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void TfrmCodeCompleter::Select(std::size_t row) {
  if (list_ == nullptr || row >= rows_.size()) return;
  LVITEMA state{};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  state.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(list_, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
  SendMessageA(list_, LVM_ENSUREVISIBLE, row, FALSE);
  RedrawWindow(list_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void TfrmCodeCompleter::Show() {
  if (!window_) return;
  SetWindowPos(window_.Get(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  RedrawWindow(window_.Get(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void TfrmCodeCompleter::Destroy() {
  if (!window_) return;
  editor_ = nullptr;
  destroying_ = true;
  window_.Reset();
  destroying_ = false;
  list_ = nullptr;
  rows_.clear();
}

void TfrmCodeCompleter::FollowEditor() {
  if (!window_) return;
  if (!IsWindow(editor_) || !IsWindowVisible(editor_)) {
    window_.Reset();  // WM_DESTROY tells the logic
    return;
  }
  POINT at = offset_;
  ClientToScreen(editor_, &at);
  RECT now{};
  GetWindowRect(window_.Get(), &now);
  if (now.left != at.x || now.top != at.y)
    SetWindowPos(window_.Get(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int TfrmCodeCompleter::RowAt(LPARAM point) const {
  LVHITTESTINFO hit{};
  hit.pt = {static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point))};
  const auto row = static_cast<int>(SendMessageA(list_, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  return (hit.flags & LVHT_ONITEM) != 0 ? row : -1;
}

LRESULT TfrmCodeCompleter::OnNotify(const NMHDR& header) {
  if (header.hwndFrom != list_) return 0;
  if (header.code == LVN_GETDISPINFOA) {
    auto& info = *reinterpret_cast<NMLVDISPINFOA*>(const_cast<NMHDR*>(&header));
    const auto row = static_cast<std::size_t>(info.item.iItem);
    if (row >= rows_.size()) return 0;
    if ((info.item.mask & LVIF_TEXT) != 0 && info.item.cchTextMax > 0) {
      const std::string_view word = rows_[row].word;
      const std::size_t length = std::min(word.size(), static_cast<std::size_t>(info.item.cchTextMax - 1));
      word.copy(info.item.pszText, length);
      info.item.pszText[length] = '\0';
    }
    if ((info.item.mask & LVIF_IMAGE) != 0) info.item.iImage = ImageOf(rows_[row].kind);
    return 0;
  }
  if (header.code == NM_CUSTOMDRAW) {
    // The list never has the focus: draw the selected row in the highlight colours anyway.
    auto& draw = *reinterpret_cast<NMLVCUSTOMDRAW*>(const_cast<NMHDR*>(&header));
    if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
      const auto selected = SendMessageA(list_, LVM_GETITEMSTATE, draw.nmcd.dwItemSpec, LVIS_SELECTED);
      if ((selected & LVIS_SELECTED) != 0) {
        draw.clrText = GetSysColor(COLOR_HIGHLIGHTTEXT);
        draw.clrTextBk = GetSysColor(COLOR_HIGHLIGHT);
        draw.nmcd.uItemState &= ~static_cast<UINT>(CDIS_SELECTED | CDIS_FOCUS);
      }
      return CDRF_DODEFAULT;
    }
  }
  return 0;
}

LRESULT CALLBACK TfrmCodeCompleter::ListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                             DWORD_PTR data) {
  auto* self = reinterpret_cast<TfrmCodeCompleter*>(data);
  switch (message) {
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      // Handled here: the list's own handling would take the focus from the editor.
      if (const int row = self->RowAt(lParam); row >= 0 && self->controller_ != nullptr)
        self->controller_->RowClicked(static_cast<std::size_t>(row));
      return 0;
    case WM_LBUTTONDBLCLK:
      if (const int row = self->RowAt(lParam); row >= 0 && self->controller_ != nullptr)
        self->controller_->RowDoubleClicked(static_cast<std::size_t>(row));
      return 0;
    case WM_SETFOCUS:
      // Should the focus arrive anyway, it goes straight back to where it came from.
      if (wParam != 0) SetFocus(reinterpret_cast<HWND>(wParam));
      return 0;
    case WM_NCDESTROY: RemoveWindowSubclass(window, &TfrmCodeCompleter::ListProc, kListSubclass); break;
    default: break;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

LRESULT CALLBACK TfrmCodeCompleter::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<TfrmCodeCompleter*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self != nullptr) {
    switch (message) {
      case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
      case WM_TIMER:
        if (wParam == kFollowTimer) self->FollowEditor();
        return 0;
      case WM_NOTIFY: return self->OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
      case WM_DESTROY:
        // Gone with its editor: the logic forgets the open list.
        if (!self->destroying_ && self->window_.Get() == window) {
          self->window_.Release();
          self->list_ = nullptr;
          self->editor_ = nullptr;
          self->rows_.clear();
          if (self->controller_ != nullptr) self->controller_->ViewDestroyed();
        }
        return 0;
      default: break;
    }
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace bw::win32
