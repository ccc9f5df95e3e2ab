// The primary display's size from the system metrics.
#pragma once

#include "platform/screen.h"

namespace bw::platform {

class Win32Screen final : public Screen {
public:
  ScreenSize PrimarySize() override;
};

}  // namespace bw::platform
