// tvwNavision: the read-only tree view of the configurations page. Each node keeps its record;
// the tree is drawn again from the configurations folder after every change, keeping the folders
// that were open.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "app/config_tree.h"

namespace bw::win32 {

class ConfigTreeControl final : public ConfigTreeView {
public:
  ConfigTreeControl(HWND parent, HINSTANCE instance, HIMAGELIST images, int id);
  ConfigTreeControl(const ConfigTreeControl&) = delete;
  ConfigTreeControl& operator=(const ConfigTreeControl&) = delete;

  HWND Handle() const { return tree_; }
  void ShowTree(const TStorage& configsFolder, const TConfigStorage* selected) override;

  static TConfigStorage* RecordOf(HWND tree, HTREEITEM item);
  // The record of the node at a point of the tree's client area; nullptr for none.
  TConfigStorage* RecordAt(POINT client) const;
  // Selects the node of the record (none for nullptr).
  void SelectRecord(const TConfigStorage* record);
  // True while the nodes are being made again: selection changes then are not the user's.
  bool Filling() const { return filling_; }

private:
  void Insert(const TStorage& folder, HTREEITEM parent, const TConfigStorage* selected, HTREEITEM& selectedItem);
  HTREEITEM ItemOf(const TConfigStorage* record, HTREEITEM first) const;
  void CollectExpanded(HTREEITEM first);

  HWND tree_ = nullptr;
  std::vector<const TStorage*> expanded_;  // folders shown open, remembered across redraws
  bool filling_ = false;
};

}  // namespace bw::win32
