#include "program/menu_margin.h"

#include <string>

#include "base/image_index.h"
#include "ui/win32/dpi.h"
#include "app/tray_menu.h"
#include "platform/win32/unique_resource.h"

namespace bw::win32 {
namespace {

constexpr int kBands = 32;
constexpr int kTopRed = 0, kTopGreen = 153, kTopBlue = 204;
constexpr int kBottomRed = kTopRed / 4, kBottomGreen = kTopGreen / 4, kBottomBlue = kTopBlue / 4;

int Blend(int top, int bottom, int band) { return top + (bottom - top) * band / (kBands - 1); }

void FillGradient(HDC dc, const RECT& area) {
  const int height = area.bottom - area.top;
  for (int band = 0; band < kBands; ++band) {
    const RECT slice{area.left, area.top + height * band / kBands, area.right, area.top + height * (band + 1) / kBands};
    const platform::UniqueBrush brush(CreateSolidBrush(RGB(Blend(kTopRed, kBottomRed, band), Blend(kTopGreen, kBottomGreen, band),
                                                     Blend(kTopBlue, kBottomBlue, band))));
    FillRect(dc, &slice, brush.Get());
  }
}

void VerticalLine(HDC dc, int x, int top, int bottom, int colourIndex) {
  const RECT line{x, top, x + 1, bottom};
  FillRect(dc, &line, GetSysColorBrush(colourIndex));
}

}  // namespace

void PaintMenuMargin(HDC dc, const RECT& margin, const SharedImages& images, std::string_view text, int dpi) {
  const platform::SavedDc saved(dc);
  IntersectClipRect(dc, margin.left, margin.top, margin.right, margin.bottom);

  FillGradient(dc, RECT{margin.left, margin.top, margin.right - 3, margin.bottom});
  VerticalLine(dc, margin.right - 2, margin.top, margin.bottom, COLOR_BTNSHADOW);
  VerticalLine(dc, margin.right - 1, margin.top, margin.bottom, COLOR_BTNHIGHLIGHT);

  images.Draw(kImageLogo, dc, margin.left + Scale(3, dpi), margin.bottom - Scale(20, dpi));

  LOGFONTA face{};
  face.lfHeight = -MulDiv(16, dpi, 72);
  face.lfWeight = FW_BOLD;
  face.lfEscapement = 900;  // tenths of a degree: the text runs upwards
  face.lfOrientation = 900;
  face.lfCharSet = DEFAULT_CHARSET;
  face.lfQuality = ANTIALIASED_QUALITY;
  lstrcpynA(face.lfFaceName, "Comic Sans MS", LF_FACESIZE);
  const platform::UniqueFont font(CreateFontIndirectA(&face));
  const platform::SelectedObject selected(dc, font.Get());
  SetTextColor(dc, RGB(255, 255, 255));
  SetBkMode(dc, TRANSPARENT);
  const std::string line(text);
  const RECT clip = margin;
  ExtTextOutA(dc, margin.left - Scale(6, dpi), margin.bottom - Scale(25, dpi), ETO_CLIPPED, &clip, line.data(),
              static_cast<UINT>(line.size()), nullptr);
}

}  // namespace bw::win32
