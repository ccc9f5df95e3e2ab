#include "platform/native/native_file_listing.h"

#include <filesystem>
#include <system_error>

namespace bw::platform {

std::vector<std::string> NativeFileListing::FileNames(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code error;
  std::filesystem::directory_iterator it(folder.empty() ? std::string(".") : folder, error);
  for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
    std::error_code kindError;
    if (!it->is_directory(kindError)) names.push_back(it->path().filename().string());
  }
  return names;
}

}  // namespace bw::platform
