#include "platform/win32/win32_folder_dialog.h"

#include <shlobj.h>

#include <string>

#include "platform/win32/unique_resource.h"
#include "platform/win32/wide_path.h"

namespace bw::platform {
namespace {

// Selects the starting folder once the dialog is up.
int CALLBACK StartIn(HWND dialog, UINT message, LPARAM, LPARAM start) {
  if (message == BFFM_INITIALIZED && start != 0) SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, start);
  return 0;
}

}  // namespace

std::optional<std::string> Win32FolderDialog::ChooseFolder(std::string_view title, std::string_view start) {
  const std::wstring caption = WideAnsi(title);
  std::string trimmed(start);
  while (trimmed.size() > 3 && (trimmed.back() == '\\' || trimmed.back() == '/')) trimmed.pop_back();  // "C:\" stays
  const std::wstring from = WidePath(trimmed);
  wchar_t chosen[MAX_PATH] = {};
  BROWSEINFOW info{};
  info.hwndOwner = owner_;
  info.pidlRoot = nullptr;  // the desktop
  info.pszDisplayName = chosen;
  info.lpszTitle = caption.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  info.lpfn = &StartIn;
  info.lParam = from.empty() ? 0 : reinterpret_cast<LPARAM>(from.c_str());
  const UniqueTaskMemory<ITEMIDLIST> list(SHBrowseForFolderW(&info));
  if (!list) return std::nullopt;
  if (!SHGetPathFromIDListW(list.get(), chosen)) return std::nullopt;
  return Utf8Path(chosen);
}

}  // namespace bw::platform
