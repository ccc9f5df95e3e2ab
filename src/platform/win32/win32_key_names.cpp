#include "platform/win32/win32_key_names.h"

#include <windows.h>

namespace bw::platform {

std::string Win32KeyNames::LayoutKeyName(std::uint8_t virtualKey) {
  const UINT scanCode = MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
  if (scanCode == 0) return {};
  // The key-name lookup takes the scan code in bits 16-23 of a key message's lParam.
  char name[64] = {};
  const int length = GetKeyNameTextA(static_cast<LONG>((scanCode & 0xFFu) << 16), name, sizeof name);
  return length > 0 ? std::string(name, static_cast<std::size_t>(length)) : std::string();
}

}  // namespace bw::platform
