#include "app/win32/win32_services.h"

#include <shellapi.h>

#include <string>

namespace bw::win32 {

bool Win32HotkeyRegistrar::Register(int id, unsigned modifiers, unsigned virtualKey) {
  return RegisterHotKey(window_, id, modifiers, virtualKey) != FALSE;
}

void Win32HotkeyRegistrar::Unregister(int id) { UnregisterHotKey(window_, id); }

std::string Win32Shell::ExpandEnvironment(std::string_view text) {
  const std::string source(text);
  std::string expanded(source.size() + 1, '\0');
  for (int attempt = 0; attempt < 4; ++attempt) {  // the needed size may change between calls
    const DWORD needed = ExpandEnvironmentStringsA(source.c_str(), expanded.data(), static_cast<DWORD>(expanded.size()));
    if (needed == 0) return source;
    if (needed <= expanded.size()) {
      expanded.resize(needed - 1);
      return expanded;
    }
    expanded.assign(needed, '\0');
  }
  return source;
}

bool Win32Shell::Execute(const platform::ShellRequest& request) {
  SHELLEXECUTEINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
  info.lpVerb = "open";
  info.lpFile = request.file.c_str();
  info.lpParameters = request.parameters.empty() ? nullptr : request.parameters.c_str();
  info.lpDirectory = request.directory.empty() ? nullptr : request.directory.c_str();
  info.nShow = SW_SHOWNORMAL;
  return ShellExecuteExA(&info) != FALSE;
}

platform::ScreenSize Win32Screen::PrimarySize() {
  return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

std::optional<std::vector<std::uint8_t>> Win32Resources::StringResource(std::string_view name) {
  const std::string resourceName(name);
  const HRSRC found = FindResourceA(module_, resourceName.c_str(), "STRING");
  if (found == nullptr) return std::nullopt;
  const HGLOBAL loaded = LoadResource(module_, found);
  const DWORD size = SizeofResource(module_, found);
  const auto* bytes = static_cast<const std::uint8_t*>(loaded ? LockResource(loaded) : nullptr);
  if (bytes == nullptr) return std::nullopt;
  return std::vector<std::uint8_t>(bytes, bytes + size);
}

}  // namespace bw::win32
