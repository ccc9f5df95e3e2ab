#include "ui/about_box.h"

#include <algorithm>

#include "launch/shell_start.h"

namespace bw {

int WhatsNewHeight(std::size_t lineCount) {
  const std::size_t lines = std::min<std::size_t>(lineCount, kWhatsNewMaxHeight);
  return std::min(static_cast<int>(lines) * kWhatsNewLineHeight + kWhatsNewLineHeight, kWhatsNewMaxHeight);
}

bool HasWhatsNew(const StringList& lines) {
  return std::any_of(lines.begin(), lines.end(), [](const std::string& line) { return !line.empty(); });
}

bool LinkActive(const AboutTexts& texts) { return !texts.internet.empty(); }

std::string VersionCheckAddress(std::string_view internet, const std::optional<FileVersion>& version) {
  if (internet.empty() || !version) return {};
  std::string address(internet);
  while (!address.empty() && address.back() == '/') address.pop_back();
  return address + "/?page=version&check=" + FullVersionText(version);
}

bool CheckForNewVersion(platform::Shell& shell, std::string_view internet, const std::optional<FileVersion>& version) {
  const std::string address = VersionCheckAddress(internet, version);
  return !address.empty() && OpenWebAddress(shell, address);
}

}  // namespace bw
