// The system's open-file dialog (GetOpenFileName), owned by the active window of the thread.
#pragma once

#include "platform/file_dialogs.h"

namespace bw::platform {

class Win32FileDialogs final : public FileDialogs {
public:
  std::optional<std::string> OpenFile(const OpenFileRequest& request) override;
};

}  // namespace bw::platform
