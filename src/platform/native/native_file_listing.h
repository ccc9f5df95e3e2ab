// Listing a folder's files through std::filesystem.
#pragma once

#include "platform/file_listing.h"

namespace bw::platform {

class NativeFileListing : public FileListing {
public:
  std::vector<std::string> FileNames(const std::string& folder) override;
};

}  // namespace bw::platform
