#include "platform/win32/win32_file_dialogs.h"

#include <windows.h>
#include <commdlg.h>

#include <algorithm>
#include <vector>

namespace bw::platform {

namespace {

// What tells the open-file and the save-file dialog apart; a null folder or extension is left to
// the system.
struct DialogSetup {
  const std::string& filter;
  const std::string& fileName;
  const std::string& title;
  const char* folder;
  const char* defaultExtension;
  DWORD flags;
};

using ShowDialog = BOOL(WINAPI*)(LPOPENFILENAMEA);

const char* TextOrNull(const std::string& text) { return text.empty() ? nullptr : text.c_str(); }

// Fills the dialog's fields, shows it, owned by the active window, and returns the chosen file.
std::optional<std::string> RunFileDialog(ShowDialog show, const DialogSetup& setup) {
  // The filter's parts end with NUL each, the whole with a second NUL.
  std::string filter = setup.filter;
  std::replace(filter.begin(), filter.end(), '|', '\0');
  filter.append(2, '\0');

  std::vector<char> file(32768, '\0');
  std::copy_n(setup.fileName.begin(), std::min(setup.fileName.size(), file.size() - 1), file.begin());

  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = GetActiveWindow();
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrTitle = setup.title.c_str();
  dialog.lpstrInitialDir = setup.folder;
  dialog.lpstrDefExt = setup.defaultExtension;
  dialog.Flags = setup.flags | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_EXPLORER;
  if (!show(&dialog)) return std::nullopt;
  return std::string(file.data());
}

}  // namespace

std::optional<std::string> Win32FileDialogs::OpenFile(const OpenFileRequest& request) {
  return RunFileDialog(GetOpenFileNameA, {request.filter, request.fileName, request.title, TextOrNull(request.folder),
                                          TextOrNull(request.defaultExtension), OFN_FILEMUSTEXIST});
}

std::optional<std::string> Win32FileDialogs::SaveFile(const SaveFileRequest& request) {
  return RunFileDialog(GetSaveFileNameA, {request.filter, request.fileName, request.title, nullptr,
                                          TextOrNull(request.defaultExtension), OFN_NOREADONLYRETURN});
}

}  // namespace bw::platform
