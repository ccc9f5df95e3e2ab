#include "ui/win32/frm_hotkey_selection.h"

#include <chrono>
#include <vector>

#include "editor/item_selection_list.h"
#include "base/image_index.h"
#include "ui/win32/modal_dialog.h"

namespace bw::ui {
namespace {

constexpr int kItems = 100;  // lvwItems
constexpr UINT_PTR kItemsSubclass = 1;
constexpr BYTE kOpacity = 225;

int ImageOf(ItemKind kind) {
  switch (kind) {
    case ItemKind::Configuration: return kImageConfiguration;
    case ItemKind::Plugin: return kImagePlugin;
    case ItemKind::Template: return kImageTemplate;
  }
  return kImageTemplate;
}

bool ModifierDown() {
  return GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0;
}

class HotkeySelectionDialog final : public ModalDialog {
public:
  HotkeySelectionDialog(std::vector<SelectableItem> items, HIMAGELIST images)
      : list_(std::move(items)), images_(images) {}

  std::optional<std::size_t> Choose(HWND owner) {
    const INT_PTR result = Run(owner, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME,
                               WS_EX_TOOLWINDOW | WS_EX_LAYERED, "Select Item to Activate...");
    if (result != IDOK || !chosen_) return std::nullopt;
    return list_.Items()[*chosen_].index;
  }

private:
  bool OnInit() override {
    SetLayeredWindowAttributes(Handle(), 0, kOpacity, LWA_ALPHA);
    SetWindowPos(Handle(), nullptr, 0, 0, Scale(323), Scale(260), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const HWND view = AddControl(WC_LISTVIEWA, "",
                                 WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOCOLUMNHEADER |
                                     LVS_SHAREIMAGELISTS,
                                 0, kItems, 0, 0, 0, 0);
    ListView_SetExtendedListViewStyle(view, LVS_EX_FULLROWSELECT);
    if (images_ != nullptr) SendMessageA(view, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images_));
    SetWindowSubclass(view, &HotkeySelectionDialog::ItemsProc, kItemsSubclass, reinterpret_cast<DWORD_PTR>(this));
    LVCOLUMNA column{};
    column.mask = LVCF_WIDTH;
    SendMessageA(view, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    int position = 0;
    for (const SelectableItem& entry : list_.Items()) {
      LVITEMA item{};
      item.mask = LVIF_TEXT | LVIF_IMAGE;
      item.iItem = position++;
      item.pszText = const_cast<char*>(entry.name.c_str());
      item.iImage = ImageOf(entry.kind);
      SendMessageA(view, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    FitList();
    CentreOnScreen();
    ComeToFront();
    SetFocus(view);
    return false;
  }

  // The list fills the window; its one column is as wide as the list.
  void FitList() {
    const HWND view = Item(kItems);
    if (view == nullptr) return;
    RECT client{};
    GetClientRect(Handle(), &client);
    SetWindowPos(view, nullptr, 0, 0, client.right, client.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT inner{};
    GetClientRect(view, &inner);
    SendMessageA(view, LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(inner.right, 0));
  }

  void ShowSelection() {
    const HWND view = Item(kItems);
    if (const auto selected = list_.Selected()) {
      const int position = static_cast<int>(*selected);
      ListView_SetItemState(view, position, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
      SendMessageA(view, LVM_ENSUREVISIBLE, static_cast<WPARAM>(position), FALSE);
    }
  }

  int SelectedRow() const {
    return static_cast<int>(
        SendMessageA(Item(kItems), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), MAKELPARAM(LVNI_SELECTED, 0)));
  }

  // Closes with OK, choosing the row given (none when below 0).
  void Accept(int row) {
    if (row >= 0) chosen_ = static_cast<std::size_t>(row);
    End(IDOK);
  }

  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_COMMAND:
        // Enter and Escape count only without Shift, Ctrl or Alt.
        if (LOWORD(wParam) == IDOK) {
          if (!ModifierDown()) Accept(SelectedRow());
          return true;
        }
        if (LOWORD(wParam) == IDCANCEL) {  // Escape: the window has no Cancel button
          if (!ModifierDown()) End(IDCANCEL);
          return true;
        }
        return false;
      case WM_CLOSE:
        End(IDCANCEL);
        return true;
      case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom == kItems && header->code == NM_DBLCLK &&
            reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem >= 0) {
          Accept(reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem);
          return true;
        }
        return false;
      }
      case WM_SIZE:
        FitList();
        return true;
      default:
        return false;
    }
  }

  // Letters typed in the list go to the list's incremental search instead of the list view's.
  static LRESULT CALLBACK ItemsProc(HWND view, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                    DWORD_PTR data) {
    if (message == WM_CHAR && wParam >= 0x20 && wParam != 0x7F) {
      auto* self = reinterpret_cast<HotkeySelectionDialog*>(data);
      // The list keeps its own selection in step with clicks and arrow keys first.
      const int current = self->SelectedRow();
      self->list_.Select(current >= 0 ? std::optional<std::size_t>(static_cast<std::size_t>(current)) : std::nullopt);
      const auto at = std::chrono::milliseconds(static_cast<DWORD>(GetMessageTime()));
      self->list_.TypeCharacter(static_cast<char>(wParam), at);
      self->ShowSelection();
      return 0;
    }
    if (message == WM_NCDESTROY) RemoveWindowSubclass(view, &HotkeySelectionDialog::ItemsProc, id);
    return DefSubclassProc(view, message, wParam, lParam);
  }

  ItemSelectionList list_;
  HIMAGELIST images_;
  std::optional<std::size_t> chosen_;
};

}  // namespace

std::optional<std::size_t> TfrmHotkeySelection::Choose(std::span<const HotkeyItem> items) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  std::vector<SelectableItem> entries;
  entries.reserve(items.size());
  for (std::size_t i = 0; i < items.size(); ++i) entries.push_back({items[i].name, items[i].kind, i});
  HotkeySelectionDialog dialog(std::move(entries), images_);
  return dialog.Choose(owner_);
}

}  // namespace bw::ui
