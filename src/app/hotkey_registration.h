// Registering the standard hotkeys, the item hotkeys and the toggle hotkey for the main window.
#pragma once

#include <string_view>

#include "app/config_shortcuts.h"
#include "platform/hotkey_registrar.h"
#include "platform/key_names.h"
#include "platform/messages.h"
#include "settings/storage.h"

namespace bw {

struct HotkeyPlatform {
  platform::HotkeyRegistrar& registrar;
  platform::Messages& messages;
  platform::KeyNames& keys;
};

class HotkeyRegistration {
public:
  explicit HotkeyRegistration(HotkeyPlatform platform) : platform_(platform) {}

  // Parses the text and registers its key under id; on failure shows the message in an error box.
  bool RegisterHotkeyText(int id, std::string_view hotkeyText, std::string_view failureMessage);

  // The standard hotkeys but the toggle (1023-1025, 1027-1031), then from 1033 on the item keys:
  // templates (not Disabled, not HotkeyFailed), configurations in ConfigShortcuts order, plug-ins.
  // A key is registered once, for the first item that has it; a refused template key sets the
  // template's HotkeyFailed.
  void RegisterAllHotkeys(TStorage& root, const ConfigShortcuts& configs);
  // Unregisters the standard hotkeys but the toggle and every item id used since the last call.
  void UnregisterAllHotkeys();

  // The toggle hotkey, id 1026, from the general record's ToggleHotkeys text.
  bool RegisterToggleHotkey(const TBrackwaterStorage& general);
  void UnregisterToggleHotkey();

private:
  HotkeyPlatform platform_;
  int itemIds_ = 0;
};

}  // namespace bw
