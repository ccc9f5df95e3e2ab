#include "platform/win32/win32_file_listing.h"

#include <windows.h>

#include "platform/win32/unique_resource.h"
#include "platform/win32/wide_path.h"

namespace bw::platform {

std::vector<std::string> Win32FileListing::FileNames(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW data{};
  const std::wstring pattern = WidePath(folder + "*");
  const UniqueFindHandle find(FindFirstFileW(pattern.c_str(), &data));
  if (!find.Valid()) return names;
  do {
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.push_back(Utf8Path(data.cFileName));
  } while (FindNextFileW(find.Get(), &data));
  return names;
}

}  // namespace bw::platform
