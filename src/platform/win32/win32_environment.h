// The user and program facts from the Windows API.
#pragma once

#include "platform/environment.h"

namespace bw::platform {

class Win32Environment final : public Environment {
public:
  std::string UserName() override;
  std::string AppDataFolder() override;  // CSIDL_APPDATA
  std::string ProgramPath() override;
};

}  // namespace bw::platform
