// Small helpers for the report-style list views of the dialogs.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

namespace bw::ui {

// Adds a column with a caption and a width in pixels (already scaled).
inline void InsertListColumn(HWND view, int index, const char* caption, int width) {
  LVCOLUMNA column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.cx = width;
  column.pszText = const_cast<char*>(caption);
  SendMessageA(view, LVM_INSERTCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
}

// Adds a row with the texts of its first two columns.
inline void InsertListRow(HWND view, int position, const std::string& first, const std::string& second) {
  LVITEMA item{};
  item.mask = LVIF_TEXT;
  item.iItem = position;
  item.pszText = const_cast<char*>(first.c_str());
  SendMessageA(view, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
  item.iSubItem = 1;
  item.pszText = const_cast<char*>(second.c_str());
  SendMessageA(view, LVM_SETITEMTEXTA, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&item));
}

}  // namespace bw::ui
