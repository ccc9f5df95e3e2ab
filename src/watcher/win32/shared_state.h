// State shared by the exported calls, the relay window and the hook thread. Plain atomics: the
// hook thread must never wait for a lock that the user-interface thread might hold.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>

#include "watcher/key_handover.h"
#include "watcher/watched_classes.h"

namespace bw::watcher {

struct SharedState {
  // The window that receives key events; 0 for none.
  std::atomic<HWND> receiver{nullptr};
  // The gate: while false no key event reaches the receiver, even one already on its way.
  std::atomic<bool> keysWatched{false};
  // The relay window the hook thread hands key events to.
  std::atomic<HWND> relay{nullptr};
  // The one hook thread allowed to report; a thread that is still ending reports nothing.
  std::atomic<DWORD> hookThreadId{0};
  // While true the hook reports nothing (a command of the program is typing).
  std::atomic<bool> paused{false};
  // The classes whose keys are reported; null: all. Replaced lists stay alive until unloading,
  // so that the hook thread may read one without a lock.
  std::atomic<const WatchedClasses*> classes{nullptr};
  // While true the user's own keys and mouse buttons are swallowed.
  std::atomic<bool> swallowPhysical{false};
  // Counts the times swallowing began, so that the hook thread closes its gate afresh for each
  // run even when it saw no event in between (an Esc of the run before must not stop this one).
  std::atomic<std::uint32_t> swallowRun{0};
  // Set when the user presses Esc while input is swallowed; cleared as swallowing starts.
  std::atomic<bool> stopRequested{false};
  // The key event in flight from the hook thread to the relay window.
  KeyHandover handover;
};

// Hands over a new class list (keeps the old ones alive until ReleaseClassLists).
void SetClassList(std::string_view classes);
void ReleaseClassLists();

SharedState& Shared();

// The library's module, set when it is loaded.
HINSTANCE LibraryInstance();
void SetLibraryInstance(HINSTANCE instance);

// The registered "BWMsgWatchKey" message.
UINT KeyEventMessage();

}  // namespace bw::watcher
