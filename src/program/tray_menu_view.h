// The tray menu on screen: the core's menu model rendered into an owner-drawn popup menu with
// the painted margin, images from the shared list, and right-aligned hotkey texts.
#pragma once

#include <windows.h>

#include <deque>

#include "app/tray_menu.h"
#include "program/shared_images.h"
#include "platform/win32/unique_resource.h"

namespace bw::win32 {

class TrayMenuView {
public:
  explicit TrayMenuView(const SharedImages& images) : images_(images) {}

  // Builds the popup anew from the model, sized for `dpi`.
  void Render(TrayMenuModel model, int dpi);
  HMENU Handle() const { return menu_.Get(); }
  const TrayMenuModel& Model() const { return model_; }

  // Opens the menu at the cursor; the chosen entry's id comes to `owner` as WM_COMMAND.
  void Track(HWND owner) const;

  // Owner-draw messages of the menu's owner; false when the item is not one of this menu's.
  bool Measure(MEASUREITEMSTRUCT& item) const;
  bool Draw(const DRAWITEMSTRUCT& item) const;
  // WM_MENUCHAR: the access key of an owner-drawn item chooses it.
  LRESULT MenuChar(char key, HMENU menu) const;

private:
  struct ItemData {
    const TrayMenuEntry* entry;
    bool topLevel;  // in the popup itself, beside the margin
  };

  void Fill(HMENU menu, const std::vector<TrayMenuEntry>& entries, bool topLevel);
  const ItemData* DataOf(ULONG_PTR itemData) const;
  int MarginWidth(const ItemData& data) const;
  void DrawMargin(const DRAWITEMSTRUCT& item) const;

  const SharedImages& images_;
  TrayMenuModel model_;
  std::deque<ItemData> items_;  // stable addresses, referenced by the menu items
  platform::UniqueMenu menu_;
  platform::UniqueFont font_;
  platform::UniqueFont boldFont_;
  int dpi_ = 96;
};

}  // namespace bw::win32
