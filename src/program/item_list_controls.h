// lvwTemplates and lvwPlugins: the report-style list views of the Templates and Plug-Ins pages,
// drawn again from their lists after every change. A template row's image and tip are asked for
// when the row is drawn, so a hotkey that failed at registration shows at once.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "ui/item_lists.h"

namespace bw::win32 {

class ItemListControl : public ItemListView {
public:
  ItemListControl(HWND parent, HINSTANCE instance, int id, bool multiSelect, HIMAGELIST images);
  ItemListControl(const ItemListControl&) = delete;
  ItemListControl& operator=(const ItemListControl&) = delete;
  ~ItemListControl() override = default;

  HWND Handle() const { return view_; }
  // The selected rows, in order.
  std::vector<int> SelectedRows() const;
  // True while the rows are being made again: selection changes then are not the user's.
  bool Filling() const { return filling_; }

protected:
  void Select(const std::vector<int>& rows);
  HWND view_ = nullptr;
  bool filling_ = false;
};

class TemplateListControl final : public ItemListControl {
public:
  TemplateListControl(HWND parent, HINSTANCE instance, int id, HIMAGELIST images, const TemplateList& list);
  void ShowRows(const std::vector<int>& selected) override;
  // LVN_GETDISPINFO and LVN_GETINFOTIP of the view; true when handled.
  bool OnNotify(const NMHDR& header);

private:
  const TemplateList& list_;
};

class PluginListControl final : public ItemListControl {
public:
  PluginListControl(HWND parent, HINSTANCE instance, int id, const PluginList& list);
  void ShowRows(const std::vector<int>& selected) override;

private:
  const PluginList& list_;
};

}  // namespace bw::win32
