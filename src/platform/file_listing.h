// Listing the files of a folder.
#pragma once

#include <string>
#include <vector>

namespace bw::platform {

// The folder and the names are UTF-8 text.
class FileListing {
public:
  virtual ~FileListing() = default;
  // Names (without folder) of the files directly in `folder`, whatever their attributes;
  // sub-folders are not listed. Empty when the folder is missing or cannot be read.
  // `folder` ends with a path delimiter.
  virtual std::vector<std::string> FileNames(const std::string& folder) = 0;
};

}  // namespace bw::platform
