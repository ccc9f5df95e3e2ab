#include "platform/win32/win32_file_dialogs.h"

#include <windows.h>
#include <commdlg.h>

#include <algorithm>
#include <vector>

namespace bw::platform {

namespace {

// The filter's parts end with NUL each, the whole with a second NUL.
std::string DialogFilter(const std::string& text) {
  std::string filter = text;
  std::replace(filter.begin(), filter.end(), '|', '\0');
  filter.append(2, '\0');
  return filter;
}

std::vector<char> FileBuffer(const std::string& fileName) {
  std::vector<char> file(32768, '\0');
  std::copy_n(fileName.begin(), std::min(fileName.size(), file.size() - 1), file.begin());
  return file;
}

// The fields both dialogs share; the buffers must outlive the dialog.
OPENFILENAMEA DialogFields(const std::string& filter, std::vector<char>& file, const std::string& title) {
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = GetActiveWindow();
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrTitle = title.c_str();
  return dialog;
}

}  // namespace

std::optional<std::string> Win32FileDialogs::OpenFile(const OpenFileRequest& request) {
  const std::string filter = DialogFilter(request.filter);
  std::vector<char> file = FileBuffer(request.fileName);

  OPENFILENAMEA dialog = DialogFields(filter, file, request.title);
  dialog.lpstrInitialDir = request.folder.empty() ? nullptr : request.folder.c_str();
  dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_EXPLORER;
  if (!GetOpenFileNameA(&dialog)) return std::nullopt;
  return std::string(file.data());
}

std::optional<std::string> Win32FileDialogs::SaveFile(const SaveFileRequest& request) {
  const std::string filter = DialogFilter(request.filter);
  std::vector<char> file = FileBuffer(request.fileName);
  OPENFILENAMEA dialog = DialogFields(filter, file, request.title);
  dialog.lpstrDefExt = request.defaultExtension.empty() ? nullptr : request.defaultExtension.c_str();
  dialog.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOREADONLYRETURN | OFN_ENABLESIZING | OFN_EXPLORER;
  if (!GetSaveFileNameA(&dialog)) return std::nullopt;
  return std::string(file.data());
}

}  // namespace bw::platform
