#include "base/version_text.h"

#include "base/app_texts.h"

namespace bw {

std::string VersionText(const std::optional<FileVersion>& version) {
  if (!version) return std::string(kNoVersionInfo);
  return std::to_string(version->major) + '.' + std::to_string(version->minor) + '.' + std::to_string(version->release);
}

std::string FullVersionText(const std::optional<FileVersion>& version) {
  if (!version) return {};
  return VersionText(version) + '.' + std::to_string(version->build);
}

}  // namespace bw
