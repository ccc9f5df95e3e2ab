// The items bound to a pressed key: every template, configuration and plug-in with that hotkey,
// registered or not.
#pragma once

#include <vector>

#include "app/item_picker.h"
#include "app/config_shortcuts.h"
#include "settings/storage.h"

namespace bw {

// Templates in stored order, then configurations in ConfigShortcuts order (folders never), then
// plug-ins in stored order. modifiers: Alt 1, Ctrl 2, Shift 4.
std::vector<HotkeyItem> ItemsForKey(const TStorage& root, const ConfigShortcuts& configs, unsigned virtualKey,
                                    unsigned modifiers);

}  // namespace bw
