#include "program/shared_images.h"

#include "base/image_index.h"

namespace bw::win32 {

SharedImages::SharedImages(HINSTANCE instance, int size)
    : size_(size), list_(ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, kImageCount, 0)) {
  ImageList_SetImageCount(list_.Get(), kImageCount);  // a picture that fails to load stays blank
  for (int i = 0; i < kImageCount; ++i) {
    // LoadImage picks the icon's nearest drawn size and scales it only when none fits.
    platform::UniqueIcon icon(static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(kFirstImageResource + i), IMAGE_ICON,
                                                      size, size, LR_DEFAULTCOLOR)));
    if (icon) ImageList_ReplaceIcon(list_.Get(), i, icon.Get());
  }
}

void SharedImages::Draw(int index, HDC dc, int x, int y, UINT style) const {
  if (index >= 0 && index < kImageCount) ImageList_Draw(list_.Get(), index, dc, x, y, style);
}

}  // namespace bw::win32
