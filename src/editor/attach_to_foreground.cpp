#include "editor/attach_to_foreground.h"

namespace bw {

AttachToForeground::AttachToForeground(platform::Desktop& desktop, platform::Clock& clock)
    : desktop_(desktop), clock_(clock) {
  foreground_ = desktop_.ForegroundWindow();
  foregroundThread_ = desktop_.OwnerOf(foreground_).thread;
  ownThread_ = desktop_.CurrentThread();
  if (foreground_ == platform::kNoWindow || foregroundThread_ == 0) return;
  attached_ = desktop_.AttachThreadInput(ownThread_, foregroundThread_, true);
  if (!attached_) return;
  try {
    focus_ = desktop_.FocusWindow();
    if (focus_ != platform::kNoWindow) focusProcess_ = desktop_.OwnerOf(focus_).process;
  } catch (...) {
    // The destructor does not run for a half-built frame: detach here.
    desktop_.AttachThreadInput(ownThread_, foregroundThread_, false);
    throw;
  }
}

AttachToForeground::~AttachToForeground() {
  try {
    if (attached_) desktop_.AttachThreadInput(ownThread_, foregroundThread_, false);
  } catch (...) {
  }
  try {
    clock_.PumpMessages();
  } catch (...) {
  }
}

}  // namespace bw
