#include "editor/insert_dialog_geometry.h"

#include <algorithm>
#include <cstdint>

namespace bw {
namespace {

// Moves [start, start + length) into [areaStart, areaStart + areaLength), shrinking it to fit.
void FitInto(int& start, int& length, int areaStart, int areaLength) {
  if (areaLength <= 0) return;
  length = std::min(length, areaLength);
  const std::int64_t areaEnd = std::int64_t{areaStart} + areaLength;
  std::int64_t at = start;
  if (at + length > areaEnd) at = areaEnd - length;
  if (at < areaStart) at = areaStart;
  start = static_cast<int>(at);
}

}  // namespace

InsertDialogLayout RestoreInsertDialog(const TBrackwaterStorage& general, const InsertDialogLayout& designed,
                                       const DialogBounds& workArea) {
  InsertDialogLayout layout = designed;
  if (general.InsertWindowWidth > 0 && general.InsertWindowHeight > 0) {
    layout.bounds = {general.InsertWindowLeft, general.InsertWindowTop, general.InsertWindowWidth,
                     general.InsertWindowHeight};
    FitInto(layout.bounds.left, layout.bounds.width, workArea.left, workArea.width);
    FitInto(layout.bounds.top, layout.bounds.height, workArea.top, workArea.height);
  }
  if (general.InsertWindowSplitter > 0) {
    const int widest = layout.bounds.width - kMinInsertPane;
    layout.splitter = widest < kMinInsertPane ? std::max(layout.bounds.width / 2, 0)
                                              : std::clamp(general.InsertWindowSplitter, kMinInsertPane, widest);
  }
  return layout;
}

void StoreInsertDialog(TBrackwaterStorage& general, const InsertDialogLayout& layout) {
  general.InsertWindowLeft = layout.bounds.left;
  general.InsertWindowTop = layout.bounds.top;
  general.InsertWindowWidth = layout.bounds.width;
  general.InsertWindowHeight = layout.bounds.height;
  general.InsertWindowSplitter = layout.splitter;
}

}  // namespace bw
