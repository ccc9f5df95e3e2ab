#include "program/version_info.h"

#include <windows.h>

#include <cstdio>
#include <vector>

#include "base/app_texts.h"

namespace bw::win32 {
namespace {

std::string Value(const std::vector<char>& block, const char* key) {
  const std::string path = std::string("\\StringFileInfo\\040904E4\\") + key;
  void* text = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(block.data(), path.c_str(), &text, &length) || text == nullptr || length == 0) return {};
  return std::string(static_cast<const char*>(text));
}

}  // namespace

VersionInfo ReadVersionInfo(const std::string& programPath) {
  VersionInfo info;
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(programPath.c_str(), &ignored);
  if (size == 0) return info;
  std::vector<char> block(size);
  if (!GetFileVersionInfoA(programPath.c_str(), 0, size, block.data())) return info;
  void* fixed = nullptr;
  UINT length = 0;
  if (VerQueryValueA(block.data(), "\\", &fixed, &length) && fixed != nullptr && length >= sizeof(VS_FIXEDFILEINFO)) {
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
