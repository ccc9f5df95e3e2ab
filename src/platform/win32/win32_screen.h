// The primary display's size from the system metrics, and the system's DPI.
#pragma once

#include "platform/screen.h"

namespace bw::platform {

class Win32Screen final : public Screen {
public:
  ScreenSize PrimarySize() override;
  int SystemDpi() override;
};

}  // namespace bw::platform
