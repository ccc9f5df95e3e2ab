#include "platform/win32/win32_file_listing.h"

#include <windows.h>

#include "platform/win32/unique_resource.h"

namespace bw::platform {

std::vector<std::string> Win32FileListing::FileNames(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA data{};
  const std::string pattern = folder + "*";
  const UniqueFindHandle find(FindFirstFileA(pattern.c_str(), &data));
  if (!find.Valid()) return names;
  do {
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.emplace_back(data.cFileName);
  } while (FindNextFileA(find.Get(), &data));
  return names;
}

}  // namespace bw::platform
