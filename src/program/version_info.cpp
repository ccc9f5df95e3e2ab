#include "program/version_info.h"

#include <windows.h>

#include <cstdio>
#include <vector>

#include "base/app_texts.h"
#include "platform/win32/wide_path.h"

namespace bw::win32 {
namespace {

std::string Value(const std::vector<char>& block, const char* key) {
  std::wstring path = L"\\StringFileInfo\\040904E4\\";
  for (const char* c = key; *c != '\0'; ++c) path += static_cast<wchar_t>(*c);  // keys are ASCII
  void* text = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(block.data(), path.c_str(), &text, &length) || text == nullptr || length == 0) return {};
  // Shown in ANSI windows.
  const auto* wide = static_cast<const wchar_t*>(text);
  const int size = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return {};
  std::string ansi(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide, -1, ansi.data(), size, nullptr, nullptr);
  ansi.pop_back();  // the terminator
  return ansi;
}

}  // namespace

VersionInfo ReadVersionInfo(const std::string& programPath) {
  VersionInfo info;
  DWORD ignored = 0;
  // The program's path is UTF-8, as the environment gives it.
  const std::wstring path = platform::WidePath(programPath);
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
  if (size == 0) return info;
  std::vector<char> block(size);
  if (!GetFileVersionInfoW(path.c_str(), 0, size, block.data())) return info;
  void* fixed = nullptr;
  UINT length = 0;
  if (VerQueryValueW(block.data(), L"\\", &fixed, &length) && fixed != nullptr && length >= sizeof(VS_FIXEDFILEINFO)) {
    const auto* version = static_cast<const VS_FIXEDFILEINFO*>(fixed);
    info.present = true;
    info.major = HIWORD(version->dwFileVersionMS);
    info.minor = LOWORD(version->dwFileVersionMS);
    info.release = HIWORD(version->dwFileVersionLS);
    info.build = LOWORD(version->dwFileVersionLS);
  }
  info.fileDescription = Value(block, "FileDescription");
  info.companyName = Value(block, "CompanyName");
  info.fileVersion = Value(block, "FileVersion");
  info.legalCopyright = Value(block, "LegalCopyright");
  info.internet = Value(block, "Internet");
  return info;
}

std::string ShortVersionText(const VersionInfo& info) {
  if (!info.present) return std::string(kNoVersionInfo);
  char text[48];
  std::snprintf(text, sizeof text, "%u.%u.%u", info.major, info.minor, info.release);
  return text;
}

}  // namespace bw::win32
