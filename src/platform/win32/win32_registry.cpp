#include "platform/win32/win32_registry.h"

#include <windows.h>

#include <utility>
#include <vector>

#include "platform/win32/unique_resource.h"
#include "platform/win32/wide_path.h"

namespace bw::platform {

namespace {

// Values longer than this are not settings of ours; reading them is refused.
constexpr DWORD kMaxValueBytes = 1024 * 1024;

// Key paths are relative to the hive; a leading delimiter ("\Software\...") is accepted too.
std::wstring KeyPath(std::string_view key) {
  while (!key.empty() && key.front() == '\\') key.remove_prefix(1);
  while (!key.empty() && key.back() == '\\') key.remove_suffix(1);
  return WidePath(key);
}

bool Missing(LSTATUS status) { return status == ERROR_FILE_NOT_FOUND || status == ERROR_PATH_NOT_FOUND; }

}  // namespace

std::optional<std::string> Win32Registry::ReadString(std::string_view key, std::string_view name) {
  UniqueKey handle;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, KeyPath(key).c_str(), 0, KEY_QUERY_VALUE, handle.Receive()) != ERROR_SUCCESS)
    return std::nullopt;
  const std::wstring valueName = WidePath(name);
  // The value may grow between the size query and the read: ask again a few times.
  for (int attempt = 0; attempt < 3; ++attempt) {
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(handle.Get(), valueName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) break;
    if ((type != REG_SZ && type != REG_EXPAND_SZ) || size > kMaxValueBytes) break;
    // Room for a terminator the stored data may lack.
    std::vector<wchar_t> data(size / sizeof(wchar_t) + 2, L'\0');
    DWORD got = size;
    const LSTATUS status =
        RegQueryValueExW(handle.Get(), valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &got);
    if (status == ERROR_MORE_DATA) continue;
    if (status != ERROR_SUCCESS || got > size || (type != REG_SZ && type != REG_EXPAND_SZ)) break;
    std::wstring text(data.data(), got / sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0') text.pop_back();
    return Utf8Path(text);
  }
  return std::nullopt;
}

bool Win32Registry::WriteString(std::string_view key, std::string_view name, std::string_view data) {
  if (data.size() >= kMaxValueBytes) return false;
  UniqueKey handle;
  const std::wstring text = WidePath(data);  // written with its terminator, as REG_SZ wants
  if (text.empty() && !data.empty()) return false;  // not UTF-8
  if (RegCreateKeyExW(HKEY_CURRENT_USER, KeyPath(key).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                      nullptr, handle.Receive(), nullptr) != ERROR_SUCCESS)
    return false;
  return RegSetValueExW(handle.Get(), WidePath(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                        static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

bool Win32Registry::DeleteValue(std::string_view key, std::string_view name) {
  UniqueKey handle;
  const LSTATUS opened = RegOpenKeyExW(HKEY_CURRENT_USER, KeyPath(key).c_str(), 0, KEY_SET_VALUE, handle.Receive());
  if (Missing(opened)) return true;
  if (opened != ERROR_SUCCESS) return false;
  const LSTATUS status = RegDeleteValueW(handle.Get(), WidePath(name).c_str());
  return status == ERROR_SUCCESS || Missing(status);
}

bool Win32Registry::DeleteKey(std::string_view key) {
  const std::wstring path = KeyPath(key);
  if (path.empty()) return false;  // never the hive itself
  const LSTATUS status = RegDeleteKeyW(HKEY_CURRENT_USER, path.c_str());
  return status == ERROR_SUCCESS || Missing(status);
}

}  // namespace bw::platform
