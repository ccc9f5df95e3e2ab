#include "platform/win32/wide_path.h"

#include <windows.h>

#include <climits>

namespace bw::platform {

namespace {

std::wstring ToWide(UINT codePage, DWORD flags, std::string_view text) {
  if (text.empty() || text.size() > static_cast<std::size_t>(INT_MAX)) return {};
  const int length = static_cast<int>(text.size());
  const int wideLength = MultiByteToWideChar(codePage, flags, text.data(), length, nullptr, 0);
  if (wideLength <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
  if (MultiByteToWideChar(codePage, flags, text.data(), length, wide.data(), wideLength) != wideLength) return {};
  return wide;
}

}  // namespace

std::wstring WidePath(std::string_view utf8) { return ToWide(CP_UTF8, MB_ERR_INVALID_CHARS, utf8); }

std::wstring WideAnsi(std::string_view ansi) { return ToWide(CP_ACP, 0, ansi); }

std::string Utf8Path(std::wstring_view wide) {
  if (wide.empty() || wide.size() > static_cast<std::size_t>(INT_MAX)) return {};
  const int wideLength = static_cast<int>(wide.size());
  const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return {};
  std::string utf8(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, utf8.data(), length, nullptr, nullptr);
  return utf8;
}

}  // namespace bw::platform
