// A primary screen of a given size and scaling.
#pragma once

#include "platform/screen.h"

namespace bw::platform {

class FixedScreen : public Screen {
public:
  explicit FixedScreen(ScreenSize primary, int systemDpi = kDefaultDpi) : size(primary), dpi(systemDpi) {}
  ScreenSize PrimarySize() override { return size; }
  int SystemDpi() override { return dpi; }
  ScreenSize size;
  int dpi;
};

}  // namespace bw::platform
