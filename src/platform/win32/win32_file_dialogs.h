// The system's open-file and save-file dialogs (GetOpenFileName, GetSaveFileName), owned by the active window of the thread.
#pragma once

#include "platform/file_dialogs.h"

namespace bw::platform {

class Win32FileDialogs final : public FileDialogs {
public:
  std::optional<std::string> OpenFile(const OpenFileRequest& request) override;
  std::optional<std::string> SaveFile(const SaveFileRequest& request) override;
};

}  // namespace bw::platform
