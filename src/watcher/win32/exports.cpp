// The library's entry points, exported by their plain names (see watcher/watcher_api.h).
#include <windows.h>

#include <memory>
#include <mutex>

#include "watcher/watcher_api.h"
#include "watcher/win32/hook_thread.h"
#include "watcher/win32/relay_window.h"
#include "watcher/win32/shared_state.h"

namespace bw::watcher {
namespace {

// What watching keys holds; both live while kind 1 is watched.
struct KeyWatch {
  std::unique_ptr<RelayWindow> relay;
  std::unique_ptr<HookThread> hook;
};

std::recursive_mutex& CallLock() {
  static std::recursive_mutex lock;
  return lock;
}

KeyWatch& Keys() {
  static KeyWatch watch;
  return watch;
}

bool StartKeys() {
  KeyWatch& watch = Keys();
  if (watch.hook) return true;
  auto relay = RelayWindow::Create();
  if (!relay) return false;
  SharedState& shared = Shared();
  shared.relay.store(relay->Handle());
  auto hook = HookThread::Start();
  if (!hook) {
    shared.relay.store(nullptr);
    return false;
  }
  watch.relay = std::move(relay);
  watch.hook = std::move(hook);
  shared.keysWatched.store(true);
  watch.hook->Refresh();
  return true;
}

void StopKeys() {
  KeyWatch& watch = Keys();
  SharedState& shared = Shared();
  shared.swallowPhysical.store(false);
  // Close the gate first: an event the hook thread is sending right now is turned away.
  shared.keysWatched.store(false);
  watch.hook.reset();
  shared.relay.store(nullptr);
  watch.relay.reset();
}

}  // namespace
}  // namespace bw::watcher

using namespace bw::watcher;

extern "C" {

__declspec(dllexport) BOOL WINAPI StartWatching(INT kind) {
  const std::lock_guard guard(CallLock());
  if (kind != kWatchKeys) return FALSE;
  return StartKeys() ? TRUE : FALSE;
}

__declspec(dllexport) void WINAPI StopWatching(INT kind) {
  const std::lock_guard guard(CallLock());
  if (kind == kWatchKeys) StopKeys();
}

__declspec(dllexport) BOOL WINAPI StillWatching() {
  const std::lock_guard guard(CallLock());
  return Keys().hook ? TRUE : FALSE;
}

__declspec(dllexport) void WINAPI StopAll() {
  const std::lock_guard guard(CallLock());
  StopKeys();
}

__declspec(dllexport) BOOL WINAPI SetReceiver(HWND window) {
  const std::lock_guard guard(CallLock());
  SharedState& shared = Shared();
  if (window == nullptr) {
    shared.receiver.store(nullptr);
    return TRUE;
  }
  if (!IsWindow(window)) return FALSE;
  const HWND current = shared.receiver.load();
  // Another live receiver keeps its place until it is cleared.
  if (current != nullptr && current != window && IsWindow(current)) return FALSE;
  shared.receiver.store(window);
  return TRUE;
}

__declspec(dllexport) HWND WINAPI GetReceiver() { return Shared().receiver.load(); }

__declspec(dllexport) void WINAPI SetWatchedClasses(const char* classes) {
  const std::lock_guard guard(CallLock());
  SetClassList(classes == nullptr ? std::string_view{} : std::string_view(classes));
}

__declspec(dllexport) void WINAPI PauseWatching(BOOL pause) {
  const std::lock_guard guard(CallLock());
  Shared().paused.store(pause != FALSE);
  if (Keys().hook) Keys().hook->Refresh();
}

__declspec(dllexport) BOOL WINAPI SwallowPhysicalInput(BOOL swallow) {
  const std::lock_guard guard(CallLock());
  SharedState& shared = Shared();
  KeyWatch& watch = Keys();
  if (swallow == FALSE) {
    shared.swallowPhysical.store(false);
    if (watch.hook) watch.hook->SetMouseHook(false);  // also takes the keyboard hook out when unneeded
    return TRUE;
  }
  if (!watch.hook) return FALSE;
  shared.stopRequested.store(false);
  shared.swallowRun.fetch_add(1);
  shared.swallowPhysical.store(true);  // read by the hook thread as it sets its hooks
  if (!watch.hook->SetMouseHook(true)) {
    shared.swallowPhysical.store(false);
    watch.hook->SetMouseHook(false);
    return FALSE;
  }
  return TRUE;
}

__declspec(dllexport) BOOL WINAPI PhysicalStopRequested() { return Shared().stopRequested.load() ? TRUE : FALSE; }

__declspec(dllexport) void WINAPI Initialize() {
  const std::lock_guard guard(CallLock());
  KeyEventMessage();
}

__declspec(dllexport) void WINAPI Finalize() {
  const std::lock_guard guard(CallLock());
  StopKeys();
  Shared().receiver.store(nullptr);
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    SetLibraryInstance(instance);
    DisableThreadLibraryCalls(instance);
  } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
    // Unloaded by FreeLibrary: a hook thread would hold the library, so none is running.
    RelayWindow::UnregisterWindowClass();
    ReleaseClassLists();
  }
  return TRUE;
}

}  // extern "C"
