// The primary display.
#pragma once

namespace bw::platform {

struct ScreenSize {
  int width = 0;
  int height = 0;
};

class Screen {
public:
  virtual ~Screen() = default;
  // The primary display's size in pixels, now.
  virtual ScreenSize PrimarySize() = 0;
};

}  // namespace bw::platform
