#include "platform/win32/win32_resources.h"

#include <windows.h>

#include <string>

namespace bw::platform {

std::optional<std::vector<std::uint8_t>> Win32Resources::StringResource(std::string_view name) {
  const std::string resourceName(name);
  HMODULE program = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(program, resourceName.c_str(), "STRING");
  if (found == nullptr) return std::nullopt;
  const DWORD size = SizeofResource(program, found);
  HGLOBAL loaded = LoadResource(program, found);
  if (loaded == nullptr || size == 0) return std::nullopt;
  const auto* bytes = static_cast<const std::uint8_t*>(LockResource(loaded));
  if (bytes == nullptr) return std::nullopt;
  return std::vector<std::uint8_t>(bytes, bytes + size);
}

}  // namespace bw::platform
