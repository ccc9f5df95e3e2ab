// The hotkey code stored in an item record, as a TShortCut.
#pragma once

#include <cstdint>

#include "settings/hotkey_text.h"

// ItemShortcut lives with the hotkey text, where the settings layer reads it too.
