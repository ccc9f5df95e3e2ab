// The about box's content, the what's-new window's size and the version check's address.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/version_text.h"
#include "platform/shell.h"
#include "settings/storage.h"

namespace bw {

// The texts of the program file's version resource that the about box shows.
struct AboutTexts {
  std::string fileDescription;
  std::string fileVersion;
  std::string companyName;
  std::string legalCopyright;
  std::string internet;  // the maker's web address; may be empty
};

inline constexpr int kWhatsNewWidth = 450;
inline constexpr int kWhatsNewLineHeight = 14;
inline constexpr int kWhatsNewMaxHeight = 480;
inline constexpr int kWhatsNewAlpha = 225;
inline constexpr std::string_view kWhatsNewCaption = "What's new...";

// 14 pixels a line plus 14, at most 480.
int WhatsNewHeight(std::size_t lineCount);

// The "What's New" button shows only when the release history holds some text.
bool HasWhatsNew(const StringList& lines);

// The link label acts (hand cursor, opens the address) only when there is an address.
bool LinkActive(const AboutTexts& texts);

// The maker's address followed by "/?page=version&check=a.b.c.d" (one "/" between them);
// empty when there is no address or no version information.
std::string VersionCheckAddress(std::string_view internet, const std::optional<FileVersion>& version);

// "Check for New Version...": opens the version-check page in the browser; false when there is
// nothing to open or the shell refused.
bool CheckForNewVersion(platform::Shell& shell, std::string_view internet, const std::optional<FileVersion>& version);

}  // namespace bw
