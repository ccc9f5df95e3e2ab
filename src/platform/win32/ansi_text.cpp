// ANSI text through the system's ANSI code page (CP_ACP).
#include "platform/ansi_text.h"

#include <windows.h>

#include <climits>

namespace bw::platform {

namespace {

std::optional<std::wstring> ToWide(UINT codePage, DWORD flags, std::string_view text) {
  if (text.empty()) return std::wstring();
  if (text.size() > static_cast<std::size_t>(INT_MAX)) return std::nullopt;
  const int length = static_cast<int>(text.size());
  const int wideLength = MultiByteToWideChar(codePage, flags, text.data(), length, nullptr, 0);
  if (wideLength <= 0) return std::nullopt;
  std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
  if (MultiByteToWideChar(codePage, flags, text.data(), length, wide.data(), wideLength) != wideLength)
    return std::nullopt;
  return wide;
}

}  // namespace

std::string AnsiToUtf8(std::string_view ansi) {
  const auto wide = ToWide(CP_ACP, 0, ansi);
  if (!wide || wide->empty()) return {};
  const int wideLength = static_cast<int>(wide->size());
  const int length = WideCharToMultiByte(CP_UTF8, 0, wide->data(), wideLength, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return {};
  std::string utf8(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide->data(), wideLength, utf8.data(), length, nullptr, nullptr);
  return utf8;
}

std::optional<std::string> Utf8ToAnsi(std::string_view utf8) {
  const auto wide = ToWide(CP_UTF8, MB_ERR_INVALID_CHARS, utf8);
  if (!wide) return std::nullopt;
  if (wide->empty()) return std::string();
  const int wideLength = static_cast<int>(wide->size());
  BOOL usedDefault = FALSE;
  const int length =
      WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide->data(), wideLength, nullptr, 0, nullptr, &usedDefault);
  if (length <= 0 || usedDefault) return std::nullopt;
  std::string ansi(static_cast<std::size_t>(length), '\0');
  usedDefault = FALSE;
  if (WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide->data(), wideLength, ansi.data(), length, nullptr,
                          &usedDefault) != length ||
      usedDefault)
    return std::nullopt;
  return ansi;
}

}  // namespace bw::platform
