#include "platform/win32/win32_file_listing.h"

#include <windows.h>

namespace bw::platform {

namespace {

class FindHandle {
public:
  explicit FindHandle(HANDLE handle) : handle_(handle) {}
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;
  ~FindHandle() {
    if (Valid()) FindClose(handle_);
  }
  bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return handle_; }

private:
  HANDLE handle_;
};

}  // namespace

std::vector<std::string> Win32FileListing::FileNames(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA data{};
  const std::string pattern = folder + "*";
  FindHandle find(FindFirstFileA(pattern.c_str(), &data));
  if (!find.Valid()) return names;
  do {
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.emplace_back(data.cFileName);
  } while (FindNextFileA(find.Get(), &data));
  return names;
}

}  // namespace bw::platform
