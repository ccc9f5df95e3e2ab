// TfrmHotkeySelection: "Select Item to Activate...", the choice among the templates,
// configurations and plug-ins that share the hotkey just pressed.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstddef>
#include <optional>
#include <span>

#include "app/item_picker.h"

namespace bw::ui {

class TfrmHotkeySelection final : public ItemPicker {
public:
  // `images`: the shared image list for the kinds' pictures (may be null: no pictures).
  explicit TfrmHotkeySelection(HIMAGELIST images = nullptr, HWND owner = nullptr) : images_(images), owner_(owner) {}

  void SetImages(HIMAGELIST images) { images_ = images; }
  void SetOwner(HWND owner) { owner_ = owner; }

  // The items sorted by name; typing letters selects the first name starting with them.
  // Enter or a double-click on a row chooses; Escape or closing chooses nothing.
  std::optional<std::size_t> Choose(std::span<const HotkeyItem> items) override;

private:
  HIMAGELIST images_;
  HWND owner_;
};

}  // namespace bw::ui
