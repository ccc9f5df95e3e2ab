// The Insert Template dialog's size, place and list width, kept in the general record
// (InsertWindowLeft, -Top, -Width, -Height, -Splitter) from one opening to the next.
#pragma once

#include "settings/storage.h"

namespace bw {

struct DialogBounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;

  friend bool operator==(const DialogBounds&, const DialogBounds&) = default;
};

struct InsertDialogLayout {
  DialogBounds bounds;
  int splitter = 0;  // the width of the template list

  friend bool operator==(const InsertDialogLayout&, const InsertDialogLayout&) = default;
};

// The narrowest the list or the preview may become by a stored splitter.
inline constexpr int kMinInsertPane = 40;

// The layout to open with. Stored bounds are used when both width and height are above 0
// (0 means none stored yet); they are then kept inside the work area (moved in, shrunk to
// it when larger), so a dialog last closed on a monitor that is gone comes back in sight.
// A stored splitter above 0 is used, held between kMinInsertPane and the width less it.
// Everything not stored comes from `designed`.
InsertDialogLayout RestoreInsertDialog(const TBrackwaterStorage& general, const InsertDialogLayout& designed,
                                       const DialogBounds& workArea);

// Written every time the dialog closes, whatever its result.
void StoreInsertDialog(TBrackwaterStorage& general, const InsertDialogLayout& layout);

}  // namespace bw
