#include "platform/win32/win32_folder_dialog.h"

#include <shlobj.h>

#include <string>

#include "platform/win32/unique_resource.h"

namespace bw::platform {
namespace {

// Selects the starting folder once the dialog is up.
int CALLBACK StartIn(HWND dialog, UINT message, LPARAM, LPARAM start) {
  if (message == BFFM_INITIALIZED && start != 0) SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, start);
  return 0;
}

}  // namespace

std::optional<std::string> Win32FolderDialog::ChooseFolder(std::string_view title, std::string_view start) {
  const std::string caption(title);
  std::string from(start);
  while (from.size() > 3 && (from.back() == '\\' || from.back() == '/')) from.pop_back();  // "C:\" stays
  char chosen[MAX_PATH] = {};
  BROWSEINFOA info{};
  info.hwndOwner = owner_;
  info.pidlRoot = nullptr;  // the desktop
  info.pszDisplayName = chosen;
  info.lpszTitle = caption.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  info.lpfn = &StartIn;
  info.lParam = from.empty() ? 0 : reinterpret_cast<LPARAM>(from.c_str());
  const UniqueTaskMemory<ITEMIDLIST> list(SHBrowseForFolderA(&info));
  if (!list) return std::nullopt;
  if (!SHGetPathFromIDListA(list.get(), chosen)) return std::nullopt;
  return std::string(chosen);
}

}  // namespace bw::platform
