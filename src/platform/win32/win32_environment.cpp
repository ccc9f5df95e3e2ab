#include "platform/win32/win32_environment.h"

#include <windows.h>
#include <lmcons.h>
#include <objbase.h>
#include <shlobj.h>

#include <vector>

#include "platform/win32/unique_resource.h"
#include "platform/win32/wide_path.h"

namespace bw::platform {

namespace {

std::string WithoutTrailingDelimiter(std::string path) {
  // "C:\" keeps its delimiter: without it the text would name the current folder of drive C.
  while (path.size() > 3 && (path.back() == '\\' || path.back() == '/')) path.pop_back();
  return path;
}

}  // namespace

std::string Win32Environment::UserName() {
  std::vector<char> buffer(UNLEN + 1);
  for (int attempt = 0; attempt < 2; ++attempt) {
    DWORD size = static_cast<DWORD>(buffer.size());
    if (GetUserNameA(buffer.data(), &size)) return buffer.data();
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) break;
    buffer.resize(size + 1);
  }
  return {};
}

std::string Win32Environment::AppDataFolder() {
  ITEMIDLIST* raw = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_APPDATA, &raw)) || raw == nullptr) return {};
  const UniqueTaskMemory<ITEMIDLIST> list(raw);
  wchar_t path[MAX_PATH] = {};
  if (!SHGetPathFromIDListW(list.get(), path)) return {};
  return WithoutTrailingDelimiter(Utf8Path(path));
}

std::string Win32Environment::ProgramPath() {
  // Long-path prefixes can exceed MAX_PATH; grow until the name fits.
  std::vector<wchar_t> buffer(MAX_PATH);
  while (buffer.size() <= 32768) {
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) return Utf8Path(std::wstring_view(buffer.data(), length));
    buffer.resize(buffer.size() * 2);
  }
  return {};
}

}  // namespace bw::platform
