// The thread that owns the low-level keyboard hook. The hook lives on its own thread with its
// own message loop so that a busy user-interface thread never delays the system's keyboard
// input; each key is handed to the relay window with a short time bound. The hook is in place
// only while a watched window has the focus (or the user's input is swallowed): the thread
// hears of every foreground and focus change through window event hooks (and looks at the focus
// a few times a second only where the system refuses those).
#pragma once

#include <windows.h>

#include <memory>

#include "platform/win32/unique_resource.h"

namespace bw::watcher {

// What the starting thread and the hook thread share (in hook_thread.cpp).
struct HookShared;

class HookThread {
public:
  // Starts the thread and waits until its hook is in place. Null when the hook cannot be set.
  static std::unique_ptr<HookThread> Start();
  HookThread(const HookThread&) = delete;
  HookThread& operator=(const HookThread&) = delete;
  // Removes the hook and ends the thread. Waits a bounded time, meanwhile answering messages
  // sent to this thread, so that a key event in flight to the relay window cannot deadlock.
  ~HookThread();

  // Sets (true) or removes the mouse hook that swallows the user's mouse buttons while
  // SharedState::swallowPhysical holds. Waits a bounded time; true when it is done.
  bool SetMouseHook(bool on);
  // Looks at the focus again at once (after watching started or resumed, or the user's input
  // is swallowed), instead of at the next focus change.
  void Refresh();

private:
  HookThread(platform::UniqueHandle thread, DWORD threadId, std::shared_ptr<HookShared> start)
      : thread_(std::move(thread)), threadId_(threadId), start_(std::move(start)) {}

  platform::UniqueHandle thread_;
  DWORD threadId_;
  std::shared_ptr<HookShared> start_;
};

}  // namespace bw::watcher
