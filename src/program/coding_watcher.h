// CodingWatcher: loads the window-message watcher library, starts and stops its key reporting
// and hands each reported key to a handler.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "app/key_watcher.h"
#include "platform/messages.h"
#include "platform/win32/unique_resource.h"
#include "watcher/watcher_api.h"

namespace bw::win32 {

class CodingWatcher final : public KeyWatcher {
public:
  // Returns true when the key was handled; the library then swallows it.
  using KeyHandler = std::function<bool(WPARAM virtualKey, LPARAM flags)>;

  // `folder`: where the library lies (the program's folder), with a trailing delimiter.
  // `watchedClasses`: the window classes whose keys can matter (line feeds between names);
  // the library passes every other key without asking.
  CodingWatcher(HINSTANCE instance, std::string folder, platform::Messages& messages, KeyHandler onKey,
                std::string watchedClasses = {});
  CodingWatcher(const CodingWatcher&) = delete;
  CodingWatcher& operator=(const CodingWatcher&) = delete;
  ~CodingWatcher() override;

  // Start watches, or resumes after Stop; Stop pauses the reporting and keeps the hook in place
  // when the library can pause, else stops and unloads it.
  void Start(WatchKind kind) override;
  void Stop(WatchKind kind) override;

  // Swallows (true) or lets through again (false) the user's own keys and mouse buttons.
  // True when the requested state holds; false without a loaded library that can do it.
  // May be called from any thread.
  bool SwallowPhysicalInput(bool swallow);
  // True when the user pressed Esc since swallowing started (false without the library entry).
  bool PhysicalStopRequested();

  bool Loaded() const { return static_cast<bool>(library_); }
  bool Disabled() const { return disabled_; }

private:
  struct Entries {
    watcher::StartWatchingFn startWatching = nullptr;
    watcher::StopWatchingFn stopWatching = nullptr;
    watcher::StillWatchingFn stillWatching = nullptr;
    watcher::StopAllFn stopAll = nullptr;
    watcher::SetReceiverFn setReceiver = nullptr;
    watcher::GetReceiverFn getReceiver = nullptr;
    watcher::InitializeFn initialize = nullptr;
    watcher::FinalizeFn finalize = nullptr;
    watcher::SetWatchedClassesFn setWatchedClasses = nullptr;
    watcher::PauseWatchingFn pauseWatching = nullptr;
    watcher::SwallowPhysicalInputFn swallowPhysicalInput = nullptr;
    watcher::PhysicalStopRequestedFn physicalStopRequested = nullptr;
  };

  void Load();
  void Unload();
  bool BindEntries();
  void Fail(const char* pattern);
  static LRESULT CALLBACK ReceiverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HINSTANCE instance_;
  std::string folder_;
  platform::Messages& messages_;
  KeyHandler onKey_;
  std::string watchedClasses_;
  UINT keyMessage_;
  bool started_ = false;
  platform::UniqueModule library_;
  platform::UniqueWindow receiver_;
  Entries entries_;
  bool disabled_ = false;
};

}  // namespace bw::win32
