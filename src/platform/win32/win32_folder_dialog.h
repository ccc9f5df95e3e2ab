// The shell's folder selection dialog (SHBrowseForFolderA).
#pragma once

#include <windows.h>

#include "platform/folder_dialog.h"

namespace bw::platform {

class Win32FolderDialog final : public FolderDialog {
public:
  explicit Win32FolderDialog(HWND owner = nullptr) : owner_(owner) {}
  void SetOwner(HWND owner) { owner_ = owner; }
  std::optional<std::string> ChooseFolder(std::string_view title, std::string_view start) override;

private:
  HWND owner_;
};

}  // namespace bw::platform
