#include "platform/win32/win32_file_dialogs.h"

#include <windows.h>
#include <commdlg.h>

#include <algorithm>
#include <vector>

namespace bw::platform {

std::optional<std::string> Win32FileDialogs::OpenFile(const OpenFileRequest& request) {
  // The filter's parts end with NUL each, the whole with a second NUL.
  std::string filter = request.filter;
  std::replace(filter.begin(), filter.end(), '|', '\0');
  filter.append(2, '\0');
  std::vector<char> file(32768, '\0');
  std::copy_n(request.fileName.begin(), std::min(request.fileName.size(), file.size() - 1), file.begin());

  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = GetActiveWindow();
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrInitialDir = request.folder.empty() ? nullptr : request.folder.c_str();
  dialog.lpstrTitle = request.title.c_str();
  dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_EXPLORER;
  if (!GetOpenFileNameA(&dialog)) return std::nullopt;
  return std::string(file.data());
}

}  // namespace bw::platform
