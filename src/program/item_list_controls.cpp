#include "program/item_list_controls.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <string>

#include "ui/win32/dpi.h"
#include "ui/win32/list_view.h"

namespace bw::win32 {
namespace {

void SetCell(HWND view, int row, int column, const std::string& text) {
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = const_cast<char*>(text.c_str());
  SendMessageA(view, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

// The list's columns, their widths scaled to the parent's DPI.
template <std::size_t N> void InsertColumns(HWND view, HWND parent, const std::array<ListColumn, N>& columns) {
  const int dpi = WindowDpi(parent);
  for (std::size_t i = 0; i < N; ++i)
    ui::InsertListColumn(view, static_cast<int>(i), columns[i].caption, MulDiv(columns[i].width, dpi, 96));
}

// The texts of a row's columns after the first, which the row's item carries.
template <class Row, std::size_t N>
void SetCells(HWND view, int position, const Row& row, const std::array<ListColumn, N>&) {
  for (std::size_t column = 1; column < N; ++column) SetCell(view, position, static_cast<int>(column), row.Cell(column));
}

}  // namespace

ItemListControl::ItemListControl(HWND parent, HINSTANCE instance, int id, bool multiSelect, HIMAGELIST images) {
  view_ = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
                          WS_CHILD | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER |
                              (multiSelect ? 0 : LVS_SINGLESEL),
                          0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
  SendMessageA(view_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  ListView_SetExtendedListViewStyle(view_, LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP);
  if (images != nullptr) ListView_SetImageList(view_, images, LVSIL_SMALL);
}

std::vector<int> ItemListControl::SelectedRows() const {
  std::vector<int> rows;
  int row = -1;
  while ((row = static_cast<int>(SendMessageA(view_, LVM_GETNEXTITEM, static_cast<WPARAM>(row),
                                              MAKELPARAM(LVNI_SELECTED, 0)))) >= 0)
    rows.push_back(row);
  return rows;
}

void ItemListControl::Select(const std::vector<int>& rows) {
  for (const int row : rows) ListView_SetItemState(view_, row, LVIS_SELECTED, LVIS_SELECTED);
  if (!rows.empty()) {
    ListView_SetItemState(view_, rows.front(), LVIS_FOCUSED, LVIS_FOCUSED);
    SendMessageA(view_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(rows.front()), FALSE);
  }
}

TemplateListControl::TemplateListControl(HWND parent, HINSTANCE instance, int id, HIMAGELIST images,
                                         const TemplateList& list)
    : ItemListControl(parent, instance, id, true, images), list_(list) {
  InsertColumns(view_, parent, kTemplateColumns);
  ShowRows({});
}

void TemplateListControl::ShowRows(const std::vector<int>& selected) {
  filling_ = true;
  SendMessageA(view_, WM_SETREDRAW, FALSE, 0);
  SendMessageA(view_, LVM_DELETEALLITEMS, 0, 0);
  for (int i = 0; i < list_.RowCount(); ++i) {
    const TemplateRow row = list_.Row(i);
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = i;
    item.pszText = const_cast<char*>(row.caption.c_str());
    item.iImage = I_IMAGECALLBACK;  // asked for whenever the row is drawn
    SendMessageA(view_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    SetCells(view_, i, row, kTemplateColumns);
  }
  Select(selected);
  SendMessageA(view_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(view_, nullptr, TRUE);
  filling_ = false;
}

bool TemplateListControl::OnNotify(const NMHDR& header) {
  if (header.code == LVN_GETDISPINFOA || header.code == LVN_GETDISPINFOW) {
    auto& info = const_cast<NMLVDISPINFOA&>(reinterpret_cast<const NMLVDISPINFOA&>(header));
    if ((info.item.mask & LVIF_IMAGE) && info.item.iItem >= 0 && info.item.iItem < list_.RowCount())
      info.item.iImage = list_.Row(info.item.iItem).image;
    return true;
  }
  if (header.code == LVN_GETINFOTIPA) {
    auto& tip = const_cast<NMLVGETINFOTIPA&>(reinterpret_cast<const NMLVGETINFOTIPA&>(header));
    if (tip.pszText == nullptr || tip.cchTextMax <= 0) return true;
    const std::string text = list_.Tip(tip.iItem, tip.pszText);
    const std::size_t size = std::min(text.size(), static_cast<std::size_t>(tip.cchTextMax - 1));
    std::memcpy(tip.pszText, text.data(), size);
    tip.pszText[size] = '\0';
    return true;
  }
  if (header.code == LVN_GETINFOTIPW) {
    auto& tip = const_cast<NMLVGETINFOTIPW&>(reinterpret_cast<const NMLVGETINFOTIPW&>(header));
    if (tip.pszText == nullptr || tip.cchTextMax <= 0) return true;
    std::string ordinary;
    for (const wchar_t* c = tip.pszText; *c != 0; ++c) ordinary.push_back(*c < 0x100 ? static_cast<char>(*c) : '?');
    const std::string text = list_.Tip(tip.iItem, ordinary);
    const int size = MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), tip.pszText,
                                         tip.cchTextMax - 1);
    tip.pszText[std::max(size, 0)] = L'\0';
    return true;
  }
  return false;
}

PluginListControl::PluginListControl(HWND parent, HINSTANCE instance, int id, const PluginList& list)
    : ItemListControl(parent, instance, id, false, nullptr), list_(list) {
  InsertColumns(view_, parent, kPluginColumns);
  ShowRows({});
}

void PluginListControl::ShowRows(const std::vector<int>& selected) {
  filling_ = true;
  SendMessageA(view_, WM_SETREDRAW, FALSE, 0);
  SendMessageA(view_, LVM_DELETEALLITEMS, 0, 0);
  for (int i = 0; i < list_.RowCount(); ++i) {
    const PluginRow row = list_.Row(i);
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = i;
    item.pszText = const_cast<char*>(row.Cell(0).c_str());
    SendMessageA(view_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    SetCells(view_, i, row, kPluginColumns);
  }
  Select(selected);
  SendMessageA(view_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(view_, nullptr, TRUE);
  filling_ = false;
}

}  // namespace bw::win32
