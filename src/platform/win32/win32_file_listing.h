// Listing a folder's files with FindFirstFileW / FindNextFileW (names in UTF-8).
#pragma once

#include "platform/file_listing.h"

namespace bw::platform {

class Win32FileListing final : public FileListing {
public:
  std::vector<std::string> FileNames(const std::string& folder) override;
};

}  // namespace bw::platform
