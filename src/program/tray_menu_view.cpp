#include "program/tray_menu_view.h"

#include <algorithm>
#include <string>

#include "ui/access_keys.h"
#include "ui/win32/dpi.h"
#include "program/menu_margin.h"

namespace bw::win32 {
namespace {

constexpr int kSeparatorHeight = 8;
constexpr int kImageGap = 4;      // around the picture
constexpr int kTextGap = 6;       // between picture box and caption
constexpr int kShortcutGap = 24;  // between caption and hotkey text
constexpr int kArrowSpace = 18;   // the system draws the submenu arrow here

UINT TextFlags(const DRAWITEMSTRUCT& item) {
  UINT flags = DT_SINGLELINE | DT_VCENTER;
  if (item.itemState & ODS_NOACCEL) flags |= DT_HIDEPREFIX;
  return flags;
}

SIZE TextSize(HDC dc, const std::string& text, UINT flags) {
  RECT box{0, 0, 0, 0};
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &box, flags | DT_CALCRECT | DT_SINGLELINE);
  return SIZE{box.right - box.left, box.bottom - box.top};
}

}  // namespace

void TrayMenuView::Render(TrayMenuModel model, int dpi) {
  dpi_ = dpi;
  model_ = std::move(model);
  items_.clear();

  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  LOGFONTA face = metrics.lfMenuFont;
  face.lfHeight = -MulDiv(9, dpi, 72);
  font_.Reset(CreateFontIndirectA(&face));
  face.lfWeight = FW_BOLD;
  boldFont_.Reset(CreateFontIndirectA(&face));

  menu_.Reset(CreatePopupMenu());
  Fill(menu_.Get(), model_.items, true);
}

void TrayMenuView::Fill(HMENU menu, const std::vector<TrayMenuEntry>& entries, bool topLevel) {
  MENUINFO info{};
  info.cbSize = sizeof info;
  info.fMask = MIM_STYLE;
  info.dwStyle = MNS_NOCHECK;  // our drawing shows the check state on the picture
  SetMenuInfo(menu, &info);

  for (const TrayMenuEntry& entry : entries) {
    items_.push_back(ItemData{&entry, topLevel});
    MENUITEMINFOA item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_DATA | MIIM_STATE;
    item.fType = MFT_OWNERDRAW | (entry.separator ? MFT_SEPARATOR : 0u);
    item.wID = static_cast<UINT>(entry.id);
    item.dwItemData = reinterpret_cast<ULONG_PTR>(&items_.back());
    item.fState = (entry.enabled ? MFS_ENABLED : MFS_DISABLED) | (entry.checked ? MFS_CHECKED : 0u) |
                  (entry.isDefault ? MFS_DEFAULT : 0u);
    platform::UniqueMenu submenu;
    if (!entry.children.empty()) {
      submenu.Reset(CreatePopupMenu());
      Fill(submenu.Get(), entry.children, false);
      item.fMask |= MIIM_SUBMENU;
      item.hSubMenu = submenu.Get();
    }
    // From the insertion on, `menu` owns the submenu.
    if (InsertMenuItemA(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &item)) submenu.Release();
  }
}

void TrayMenuView::Track(HWND owner) const {
  POINT cursor{};
  GetCursorPos(&cursor);
  // The menu closes properly only when its owner is the foreground window, and the owner must
  // get a message after it returns.
  SetForegroundWindow(owner);
  TrackPopupMenu(menu_.Get(), TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, owner, nullptr);
  PostMessageA(owner, WM_NULL, 0, 0);
}

const TrayMenuView::ItemData* TrayMenuView::DataOf(ULONG_PTR itemData) const {
  const auto* data = reinterpret_cast<const ItemData*>(itemData);
  const bool ours = std::any_of(items_.begin(), items_.end(), [&](const ItemData& item) { return &item == data; });
  return ours ? data : nullptr;
}

int TrayMenuView::MarginWidth(const ItemData& data) const {
  return data.topLevel ? Scale(kMenuMarginWidth, dpi_) : 0;
}

bool TrayMenuView::Measure(MEASUREITEMSTRUCT& item) const {
  const ItemData* data = DataOf(item.itemData);
  if (data == nullptr) return false;
  const TrayMenuEntry& entry = *data->entry;
  if (entry.separator) {
    item.itemWidth = static_cast<UINT>(MarginWidth(*data));
    item.itemHeight = static_cast<UINT>(Scale(kSeparatorHeight, dpi_));
    return true;
  }
  SIZE caption{};
  SIZE shortcut{};
  {
    // The screen DC is declared first, so the old font goes back into it before it is released.
    const platform::WindowDc dc;
    const platform::SelectedObject selected(dc.Get(), entry.isDefault ? boldFont_.Get() : font_.Get());
    caption = TextSize(dc.Get(), entry.caption, 0);
    if (!entry.shortcut.empty()) shortcut = TextSize(dc.Get(), entry.shortcut, DT_NOPREFIX);
  }

  const int imageBox = images_.Size() + 2 * Scale(kImageGap, dpi_);
  int width = MarginWidth(*data) + imageBox + Scale(kTextGap, dpi_) + caption.cx + Scale(kArrowSpace, dpi_);
  if (shortcut.cx > 0) width += Scale(kShortcutGap, dpi_) + shortcut.cx;
  item.itemWidth = static_cast<UINT>(width);
  item.itemHeight = static_cast<UINT>(std::max<int>(imageBox, caption.cy + Scale(6, dpi_)));
  return true;
}

void TrayMenuView::DrawMargin(const DRAWITEMSTRUCT& item) const {
  RECT margin{item.rcItem.left, item.rcItem.top, item.rcItem.left + Scale(kMenuMarginWidth, dpi_), item.rcItem.bottom};
  // The margin spans the whole menu; each item paints its own slice of it.
  const HWND menuWindow = WindowFromDC(item.hDC);
  RECT client{};
  if (menuWindow != nullptr && GetClientRect(menuWindow, &client)) {
    margin.top = client.top;
    margin.bottom = client.bottom;
  }
  const platform::SavedDc saved(item.hDC);
  IntersectClipRect(item.hDC, item.rcItem.left, item.rcItem.top, margin.right, item.rcItem.bottom);
  PaintMenuMargin(item.hDC, margin, images_, model_.marginText, dpi_);
}

bool TrayMenuView::Draw(const DRAWITEMSTRUCT& item) const {
  const ItemData* data = DataOf(item.itemData);
  if (data == nullptr) return false;
  const TrayMenuEntry& entry = *data->entry;
  const HDC dc = item.hDC;
  const platform::SavedDc saved(dc);
  if (data->topLevel) DrawMargin(item);

  RECT area = item.rcItem;
  area.left += MarginWidth(*data);
  const bool selected = (item.itemState & ODS_SELECTED) && !entry.separator;
  const bool grayed = (item.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
  FillRect(dc, &area, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));

  if (entry.separator) {
    RECT line{area.left + Scale(kImageGap, dpi_), (area.top + area.bottom) / 2 - 1, area.right - Scale(kImageGap, dpi_),
              (area.top + area.bottom) / 2 + 1};
    DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
    return true;
  }

  const int gap = Scale(kImageGap, dpi_);
  const int imageSize = images_.Size();
  const int imageTop = (area.top + area.bottom - imageSize) / 2;
  if (entry.checked) {
    RECT frame{area.left + gap / 2, imageTop - gap / 2, area.left + gap + imageSize + gap / 2, imageTop + imageSize + gap / 2};
    // Checked: the picture sits on a pale highlight inside a highlight-coloured frame.
    const COLORREF mark = GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF back = GetSysColor(COLOR_MENU);
    const auto pale = [](BYTE a, BYTE b) { return static_cast<BYTE>((a + 3 * b) / 4); };
    const platform::UniqueBrush fill(CreateSolidBrush(RGB(pale(GetRValue(mark), GetRValue(back)), pale(GetGValue(mark), GetGValue(back)),
                                                    pale(GetBValue(mark), GetBValue(back)))));
    if (!selected) FillRect(dc, &frame, fill.Get());
    FrameRect(dc, &frame, GetSysColorBrush(selected ? COLOR_HIGHLIGHTTEXT : COLOR_HIGHLIGHT));
  }
  images_.Draw(entry.image, dc, area.left + gap, imageTop, grayed ? ILD_TRANSPARENT | ILD_BLEND50 : ILD_TRANSPARENT);

  const platform::SelectedObject font(dc, entry.isDefault ? boldFont_.Get() : font_.Get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(grayed ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
  RECT text = area;
  text.left += imageSize + 2 * gap + Scale(kTextGap, dpi_);
  text.right -= Scale(kArrowSpace, dpi_);
  DrawTextA(dc, entry.caption.c_str(), static_cast<int>(entry.caption.size()), &text, TextFlags(item));
  if (!entry.shortcut.empty())
    DrawTextA(dc, entry.shortcut.c_str(), static_cast<int>(entry.shortcut.size()), &text,
              TextFlags(item) | DT_RIGHT | DT_NOPREFIX);
  return true;
}

LRESULT TrayMenuView::MenuChar(char key, HMENU menu) const {
  const int count = GetMenuItemCount(menu);
  for (int position = 0; position < count; ++position) {
    MENUITEMINFOA item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_DATA;
    if (!GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &item)) continue;
    const ItemData* data = DataOf(item.dwItemData);
    if (data != nullptr && !data->entry->separator && HasAccessKey(data->entry->caption, key))
      return MAKELRESULT(position, MNC_EXECUTE);
  }
  return MAKELRESULT(0, MNC_IGNORE);
}

}  // namespace bw::win32
