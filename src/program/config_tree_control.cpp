#include "program/config_tree_control.h"

#include <algorithm>
#include <string>

#include "base/image_index.h"

namespace bw::win32 {

namespace {

constexpr int kIndent = 19;

HTREEITEM Next(HWND tree, HTREEITEM item, UINT which) {
  return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, which, reinterpret_cast<LPARAM>(item)));
}

}  // namespace

ConfigTreeControl::ConfigTreeControl(HWND parent, HINSTANCE instance, HIMAGELIST images, int id) {
  tree_ = CreateWindowExA(WS_EX_CLIENTEDGE, WC_TREEVIEWA, "",
                          WS_CHILD | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                          0, 0, 10, 10, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
  SendMessageA(tree_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  SendMessageA(tree_, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images));
  SendMessageA(tree_, TVM_SETINDENT, kIndent, 0);
}

TConfigStorage* ConfigTreeControl::RecordOf(HWND tree, HTREEITEM item) {
  if (item == nullptr) return nullptr;
  TVITEMA data{};
  data.mask = TVIF_PARAM | TVIF_HANDLE;
  data.hItem = item;
  if (!SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data))) return nullptr;
  return reinterpret_cast<TConfigStorage*>(data.lParam);
}

TConfigStorage* ConfigTreeControl::RecordAt(POINT client) const {
  TVHITTESTINFO hit{};
  hit.pt = client;
  const auto item = reinterpret_cast<HTREEITEM>(SendMessageA(tree_, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  // The whole row is the node's: its indent, its +/- button and the space right of its label too.
  constexpr UINT kOnRow = TVHT_ONITEM | TVHT_ONITEMINDENT | TVHT_ONITEMBUTTON | TVHT_ONITEMRIGHT;
  if (item == nullptr || (hit.flags & kOnRow) == 0) return nullptr;
  return RecordOf(tree_, item);
}

void ConfigTreeControl::CollectExpanded(HTREEITEM first) {
  for (HTREEITEM item = first; item != nullptr; item = Next(tree_, item, TVGN_NEXT)) {
    const auto state = SendMessageA(tree_, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_EXPANDED);
    if ((state & TVIS_EXPANDED) != 0) expanded_.push_back(RecordOf(tree_, item));
    CollectExpanded(Next(tree_, item, TVGN_CHILD));
  }
}

void ConfigTreeControl::ShowTree(const TStorage& configsFolder, const TConfigStorage* selected) {
  expanded_.clear();
  CollectExpanded(Next(tree_, nullptr, TVGN_ROOT));
  filling_ = true;
  SendMessageA(tree_, WM_SETREDRAW, FALSE, 0);
  SendMessageA(tree_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  HTREEITEM selectedItem = nullptr;
  Insert(configsFolder, TVI_ROOT, selected, selectedItem);
  SendMessageA(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(selectedItem));
  if (selectedItem != nullptr)
    SendMessageA(tree_, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(selectedItem));
  SendMessageA(tree_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(tree_, nullptr, TRUE);
  filling_ = false;
}

void ConfigTreeControl::Insert(const TStorage& folder, HTREEITEM parent, const TConfigStorage* selected,
                               HTREEITEM& selectedItem) {
  for (int i = 0; i < folder.ChildCount(); ++i) {
    auto& record = As<TConfigStorage>(folder.Child(i));
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = record.ConfigName.data();
    insert.item.iImage = insert.item.iSelectedImage = record.IsSubMenu ? kImageFolder : kImageConfiguration;
    insert.item.lParam = reinterpret_cast<LPARAM>(&record);
    const auto item =
        reinterpret_cast<HTREEITEM>(SendMessageA(tree_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
    if (&record == selected) selectedItem = item;
    Insert(record, item, selected, selectedItem);
    if (std::find(expanded_.begin(), expanded_.end(), &record) != expanded_.end())
      SendMessageA(tree_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
  }
}

HTREEITEM ConfigTreeControl::ItemOf(const TConfigStorage* record, HTREEITEM first) const {
  for (HTREEITEM item = first; item != nullptr; item = Next(tree_, item, TVGN_NEXT)) {
    if (RecordOf(tree_, item) == record) return item;
    if (HTREEITEM below = ItemOf(record, Next(tree_, item, TVGN_CHILD))) return below;
  }
  return nullptr;
}

void ConfigTreeControl::SelectRecord(const TConfigStorage* record) {
  const HTREEITEM item = record ? ItemOf(record, Next(tree_, nullptr, TVGN_ROOT)) : nullptr;
  SendMessageA(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
}

}  // namespace bw::win32
