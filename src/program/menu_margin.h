// The tray menu's left margin: a blue gradient with the program's picture and, running upwards,
// its name and version.
#pragma once

#include <windows.h>

#include <string_view>

#include "program/shared_images.h"

namespace bw::win32 {

// `margin` is the whole margin of the open menu (left L, bottom B) in the drawing's coordinates.
void PaintMenuMargin(HDC dc, const RECT& margin, const SharedImages& images, std::string_view text, int dpi);

}  // namespace bw::win32
