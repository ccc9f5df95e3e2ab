// A primary screen of a given size.
#pragma once

#include "platform/screen.h"

namespace bw::platform {

class FixedScreen : public Screen {
public:
  explicit FixedScreen(ScreenSize primary) : size(primary) {}
  ScreenSize PrimarySize() override { return size; }
  ScreenSize size;
};

}  // namespace bw::platform
