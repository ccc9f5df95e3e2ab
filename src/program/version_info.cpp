#include "program/version_info.h"

#include <cstdio>

#include "base/app_texts.h"
#include "platform/win32/wide_path.h"
#include "platform/win32/win32_file_versions.h"

namespace bw::win32 {

VersionInfo ReadVersionInfo(const std::string& programPath) {
  VersionInfo info;
  // The program's path is UTF-8, as the environment gives it.
  const auto block = platform::VersionBlock::Load(platform::WidePath(programPath));
  if (!block) return info;
  if (const auto fixed = block->Fixed()) {
    info.present = true;
    info.major = fixed->major;
    info.minor = fixed->minor;
    info.release = fixed->release;
    info.build = fixed->build;
  }
  constexpr std::wstring_view kUsEnglish = L"040904E4";
  info.fileDescription = block->Text(kUsEnglish, "FileDescription");
  info.companyName = block->Text(kUsEnglish, "CompanyName");
  info.fileVersion = block->Text(kUsEnglish, "FileVersion");
  info.legalCopyright = block->Text(kUsEnglish, "LegalCopyright");
  info.internet = block->Text(kUsEnglish, "Internet");
  return info;
}

std::string ShortVersionText(const VersionInfo& info) {
  if (!info.present) return std::string(kNoVersionInfo);
  char text[48];
  std::snprintf(text, sizeof text, "%u.%u.%u", info.major, info.minor, info.release);
  return text;
}

}  // namespace bw::win32
