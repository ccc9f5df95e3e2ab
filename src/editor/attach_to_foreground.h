// The frame every editor command runs in: the program shares the input state of the
// foreground window's thread for as long as the frame lives, so that the focus window,
// the caret and the key state of that thread are readable and keys can be aimed at them.
#pragma once

#include "platform/clock.h"
#include "platform/desktop.h"

namespace bw {

class AttachToForeground {
public:
  // Takes the foreground window and attaches to its thread. When attaching fails the frame
  // is empty (Attached() false) and the command must do nothing.
  AttachToForeground(platform::Desktop& desktop, platform::Clock& clock);
  // Detaches when attached, then lets the program's pending window messages run.
  ~AttachToForeground();
  AttachToForeground(const AttachToForeground&) = delete;
  AttachToForeground& operator=(const AttachToForeground&) = delete;

  bool Attached() const { return attached_; }
  explicit operator bool() const { return attached_; }
  // The foreground (top-level) window and the focus window of its thread (may be kNoWindow).
  platform::WindowId Foreground() const { return foreground_; }
  platform::WindowId Focus() const { return focus_; }
  // The process that owns the focus window (0 without one).
  platform::ProcessId FocusProcess() const { return focusProcess_; }

private:
  platform::Desktop& desktop_;
  platform::Clock& clock_;
  platform::ThreadId ownThread_ = 0;
  platform::ThreadId foregroundThread_ = 0;
  platform::WindowId foreground_ = platform::kNoWindow;
  platform::WindowId focus_ = platform::kNoWindow;
  platform::ProcessId focusProcess_ = 0;
  bool attached_ = false;
};

}  // namespace bw
