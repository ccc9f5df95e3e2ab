#include "ui/win32/frm_insert_template.h"

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/config_shortcuts.h"
#include "editor/insert_dialog_geometry.h"
#include "editor/insert_template_filter.h"
#include "settings/hotkey_text.h"
#include "ui/insert_template_layout.h"
#include "ui/win32/list_view.h"
#include "ui/win32/modal_dialog.h"
#include "ui/win32/rich_preview.h"
#include "platform/win32/unique_resource.h"

namespace bw::ui {
namespace {

constexpr int kFilter = 100;     // edtFilter
constexpr int kTemplates = 101;  // lvwTemplates
constexpr int kPreview = 102;    // mmoTemplate
constexpr int kDesignedWidth = 691;
constexpr int kDesignedHeight = 315;
constexpr int kDesignedListWidth = 260;
constexpr UINT_PTR kFilterSubclass = 1;

DialogBounds BoundsOf(const RECT& rect) {
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

class InsertTemplateDialog final : public ModalDialog {
public:
  InsertTemplateDialog(std::vector<TemplateRow> rows, const TBrackwaterStorage& general)
      : list_(std::move(rows)), general_(general) {}

  std::optional<int> Choose(HWND owner) {
    const INT_PTR result =
        Run(owner, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN, 0, "Insert Template");
    if (result != IDOK || !chosen_) return std::nullopt;
    return static_cast<int>(*chosen_);
  }

  // The place, size and list width when it closed; nullopt when it never opened.
  const std::optional<InsertDialogLayout>& Closed() const { return closed_; }

private:
  void MeasureForDpi() {
    metrics_ = {Scale(8), Scale(6), Scale(21), Scale(75), Scale(25), Scale(5), Scale(kMinInsertPane)};
  }
  void OnDpiChanged() override { MeasureForDpi(); }

  bool OnInit() override {
    MeasureForDpi();
    previewFont_.Reset(CreateFontA(-MulDiv(10, WindowDpi(Handle()), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                   DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                   FIXED_PITCH | FF_MODERN, "Courier New"));

    const HWND filter = AddControl("EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, kFilter, 0, 0, 0, 0);
    SetWindowSubclass(filter, &InsertTemplateDialog::FilterProc, kFilterSubclass, reinterpret_cast<DWORD_PTR>(this));
    const HWND view = AddControl(WC_LISTVIEWA, "",
                                 WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER,
                                 WS_EX_CLIENTEDGE, kTemplates, 0, 0, 0, 0);
    ListView_SetExtendedListViewStyle(view, LVS_EX_FULLROWSELECT);
    AddColumn(view, 0, "Name", 180);
    AddColumn(view, 1, "Hotkey", 59);
    if (const char* richEdit = RichEditClass()) {
      const HWND preview =
          AddControl(richEdit, "",
                     WS_TABSTOP | WS_HSCROLL | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOHSCROLL |
                         ES_AUTOVSCROLL | ES_DISABLENOSCROLL,
                     WS_EX_CLIENTEDGE, kPreview, 0, 0, 0, 0);
      SendMessageA(preview, WM_SETFONT, reinterpret_cast<WPARAM>(previewFont_.Get()), FALSE);
      SendMessageA(preview, EM_SETTARGETDEVICE, 0, 1);  // no word wrap
    }
    AddControl("BUTTON", "Insert", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, IDOK, 0, 0, 0, 0);
    AddControl("BUTTON", "Cancel", WS_TABSTOP | BS_PUSHBUTTON, 0, IDCANCEL, 0, 0, 0, 0);

    PlaceWindow();
    ShowRows();
    ComeToFront();
    SetFocus(filter);
    return false;
  }

  void AddColumn(HWND view, int index, const char* caption, int width) {
    InsertListColumn(view, index, caption, Scale(width));
  }

  // The stored place and size when there are any, else the designed size in the screen's middle.
  void PlaceWindow() {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(Handle(), MONITOR_DEFAULTTOPRIMARY), &monitor);
    const DialogBounds screen = BoundsOf(monitor.rcWork);
    InsertDialogLayout designed;
    designed.bounds.width = Scale(kDesignedWidth);
    designed.bounds.height = Scale(kDesignedHeight);
    designed.bounds.left = screen.left + (screen.width - designed.bounds.width) / 2;
    designed.bounds.top = screen.top + (screen.height - designed.bounds.height) / 2;
    designed.splitter = Scale(kDesignedListWidth);

    // Stored bounds are kept inside the work area of the monitor nearest to them.
    DialogBounds area = screen;
    if (general_.InsertWindowWidth > 0 && general_.InsertWindowHeight > 0) {
      const RECT stored{general_.InsertWindowLeft, general_.InsertWindowTop,
                        general_.InsertWindowLeft + general_.InsertWindowWidth,
                        general_.InsertWindowTop + general_.InsertWindowHeight};
      MONITORINFO nearest{};
      nearest.cbSize = sizeof nearest;
      if (GetMonitorInfoA(MonitorFromRect(&stored, MONITOR_DEFAULTTONEAREST), &nearest)) area = BoundsOf(nearest.rcWork);
    }
    const InsertDialogLayout layout = RestoreInsertDialog(general_, designed, area);
    listWidth_ = layout.splitter;
    SetWindowPos(Handle(), nullptr, layout.bounds.left, layout.bounds.top, layout.bounds.width, layout.bounds.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    LayOut();
  }

  void LayOut() {
    RECT client{};
    GetClientRect(Handle(), &client);
    const InsertTemplatePanes panes = LayOutInsertTemplate(client.right, client.bottom, listWidth_, metrics_);
    listWidth_ = panes.listWidth;
    splitter_ = panes.splitter;
    const auto move = [&](int id, const PaneRect& pane) {
      if (const HWND control = Item(id))
        SetWindowPos(control, nullptr, pane.left, pane.top, pane.width, pane.height, SWP_NOZORDER | SWP_NOACTIVATE);
    };
    move(kFilter, panes.filter);
    move(kTemplates, panes.list);
    move(kPreview, panes.preview);
    move(IDOK, panes.insert);
    move(IDCANCEL, panes.cancel);
    InvalidateRect(Handle(), nullptr, TRUE);
  }

  // The list view shows the rows the filter lets through, the selected one marked and in sight.
  void ShowRows() {
    const HWND view = Item(kTemplates);
    filling_ = true;
    SendMessageA(view, WM_SETREDRAW, FALSE, 0);
    SendMessageA(view, LVM_DELETEALLITEMS, 0, 0);
    int position = 0;
    for (const std::size_t index : list_.Shown()) {
      const TemplateRow& row = list_.Rows()[index];
      InsertListRow(view, position++, row.name, row.hotkey);
    }
    if (const auto selected = SelectedPosition()) {
      ListView_SetItemState(view, *selected, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
      SendMessageA(view, LVM_ENSUREVISIBLE, static_cast<WPARAM>(*selected), FALSE);
    }
    SendMessageA(view, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(view, nullptr, TRUE);
    filling_ = false;
    ShowPreview();
  }

  std::optional<int> SelectedPosition() const {
    const auto selected = list_.Selected();
    if (!selected) return std::nullopt;
    const auto shown = list_.Shown();
    const auto at = std::find(shown.begin(), shown.end(), *selected);
    if (at == shown.end()) return std::nullopt;
    return static_cast<int>(at - shown.begin());
  }

  void ShowPreview() {
    if (const HWND preview = Item(kPreview)) ShowTemplatePreview(preview, list_.Preview());
    previewed_ = list_.Selected();
  }

  // The list view's selection moved (a click, the arrow keys, the filter field's Up and Down).
  void OnSelectionChanged() {
    if (filling_) return;
    const int position = static_cast<int>(SendMessageA(Item(kTemplates), LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                                       MAKELPARAM(LVNI_SELECTED, 0)));
    list_.SelectShown(position >= 0 ? std::optional<std::size_t>(static_cast<std::size_t>(position)) : std::nullopt);
    if (list_.Selected() != previewed_) ShowPreview();
  }

  void Insert() {
    chosen_ = list_.Selected();
    End(IDOK);
  }

  bool OverSplitter(int x, int y) const {
    return x >= splitter_.left && x < splitter_.left + splitter_.width && y >= splitter_.top &&
           y < splitter_.top + splitter_.height;
  }

  bool OnMouse(UINT message, LPARAM lParam) {
    const int x = static_cast<short>(LOWORD(lParam));
    const int y = static_cast<short>(HIWORD(lParam));
    switch (message) {
      case WM_LBUTTONDOWN:
        if (!OverSplitter(x, y)) return false;
        dragFrom_ = x - splitter_.left;
        SetCapture(Handle());
        return true;
      case WM_MOUSEMOVE:
        if (!dragFrom_) return false;
        listWidth_ = x - *dragFrom_ - metrics_.margin;
        LayOut();
        return true;
      default:  // WM_LBUTTONUP
        if (!dragFrom_) return false;
        dragFrom_.reset();
        ReleaseCapture();
        return true;
    }
  }

  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
          Insert();
          return true;
        }
        if (LOWORD(wParam) == IDCANCEL) {
          End(IDCANCEL);
          return true;
        }
        if (LOWORD(wParam) == kFilter && HIWORD(wParam) == EN_CHANGE) {
          list_.SetFilter(WindowText(Item(kFilter)));
          ShowRows();
          return true;
        }
        return false;
      case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom != kTemplates) return false;
        if (header->code == LVN_ITEMCHANGED) {
          const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
          if ((change->uChanged & LVIF_STATE) && ((change->uOldState ^ change->uNewState) & LVIS_SELECTED))
            OnSelectionChanged();
          return true;
        }
        if (header->code == NM_DBLCLK) {  // on a row: that row is inserted
          const int row = reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem;
          if (row < 0) return false;
          list_.SelectShown(static_cast<std::size_t>(row));
          Insert();
          return true;
        }
        return false;
      }
      case WM_SIZE:
        LayOut();
        return true;
      case WM_GETMINMAXINFO: {
        auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
        limits->ptMinTrackSize = {Scale(320), Scale(200)};
        return true;
      }
      case WM_SETCURSOR: {
        POINT at{};
        GetCursorPos(&at);
        ScreenToClient(Handle(), &at);
        if (reinterpret_cast<HWND>(wParam) != Handle() || LOWORD(lParam) != HTCLIENT || !OverSplitter(at.x, at.y))
          return false;
        SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32644)));  // IDC_SIZEWE
        SetResult(TRUE);
        return true;
      }
      case WM_LBUTTONDOWN:
      case WM_MOUSEMOVE:
      case WM_LBUTTONUP:
        return OnMouse(message, lParam);
      case WM_CAPTURECHANGED:
        dragFrom_.reset();
        return false;
      case WM_DESTROY: {
        RECT bounds{};
        GetWindowRect(Handle(), &bounds);
        closed_ = InsertDialogLayout{BoundsOf(bounds), listWidth_};
        return false;
      }
      default:
        return false;
    }
  }

  // Up, Down, Page Up and Page Down typed in the filter field move the list's selection.
  static LRESULT CALLBACK FilterProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                     DWORD_PTR data) {
    if (message == WM_KEYDOWN &&
        (wParam == VK_UP || wParam == VK_DOWN || wParam == VK_PRIOR || wParam == VK_NEXT)) {
      auto* self = reinterpret_cast<InsertTemplateDialog*>(data);
      SendMessageA(self->Item(kTemplates), WM_KEYDOWN, wParam, lParam);
      return 0;
    }
    if (message == WM_NCDESTROY) RemoveWindowSubclass(edit, &InsertTemplateDialog::FilterProc, id);
    return DefSubclassProc(edit, message, wParam, lParam);
  }

  InsertTemplateList list_;
  const TBrackwaterStorage& general_;
  InsertTemplateMetrics metrics_;
  platform::UniqueFont previewFont_;
  int listWidth_ = 0;
  PaneRect splitter_;
  std::optional<int> dragFrom_;
  bool filling_ = false;
  std::optional<std::size_t> previewed_;
  std::optional<std::size_t> chosen_;
  std::optional<InsertDialogLayout> closed_;
};

}  // namespace

std::optional<int> RunInsertTemplateDialog(HWND owner, TStorage& root, platform::KeyNames& keys) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  std::vector<TemplateRow> rows;
  const int count = TemplatesFolder(root).ChildCount();
  rows.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const TCommentStorage& item = Template(root, i);
    rows.push_back({item.CommentName, HotkeyCodeText(item.Hotkey, keys), item.Comment});
  }
  TBrackwaterStorage& general = General(root);
  InsertTemplateDialog dialog(std::move(rows), general);
  const auto chosen = dialog.Choose(owner);
  if (dialog.Closed()) StoreInsertDialog(general, *dialog.Closed());
  return chosen;
}

}  // namespace bw::ui
