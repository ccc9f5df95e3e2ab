// The shared image list (kImageCount pictures, see base/image_index.h), loaded from the
// program's icon resources at the size that suits the display.
#pragma once

#include <windows.h>

#include "platform/win32/unique_resource.h"

namespace bw::win32 {

// Resource id of picture i is kFirstImageResource + i; the program icon is kProgramIconResource.
inline constexpr int kProgramIconResource = 1;
inline constexpr int kFirstImageResource = 200;

class SharedImages {
public:
  // `size`: the small-icon edge in pixels (16 at 96 dots per inch).
  SharedImages(HINSTANCE instance, int size);
  HIMAGELIST Get() const { return list_.Get(); }
  int Size() const { return size_; }
  void Draw(int index, HDC dc, int x, int y, UINT style = ILD_TRANSPARENT) const;

private:
  int size_;
  platform::UniqueImageList list_;
};

}  // namespace bw::win32
