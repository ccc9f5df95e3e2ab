// The primary display.
#pragma once

#include <cstdint>

namespace bw::platform {

// Pixels per inch of a display as Windows counts them (its scaling: 96 is 100 %, 144 is 150 %).
inline constexpr int kDefaultDpi = 96;

// A length of `pixels` at `fromDpi` at `toDpi`, rounded half away from zero as MulDiv rounds.
constexpr int ScalePixels(int pixels, int toDpi, int fromDpi) {
  if (fromDpi <= 0 || toDpi <= 0) return pixels;
  const std::int64_t product = static_cast<std::int64_t>(pixels) * toDpi;
  const std::int64_t half = fromDpi / 2;
  return static_cast<int>(product >= 0 ? (product + half) / fromDpi : -((-product + half) / fromDpi));
}

struct ScreenSize {
  int width = 0;
  int height = 0;
};

class Screen {
public:
  virtual ~Screen() = default;
  // The primary display's size in its own pixels, now.
  virtual ScreenSize PrimarySize() = 0;
  // The system's pixels per inch: what a program unaware of DPI is scaled from.
  virtual int SystemDpi() = 0;
};

}  // namespace bw::platform
