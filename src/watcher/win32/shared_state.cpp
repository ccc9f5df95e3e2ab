#include "watcher/win32/shared_state.h"

#include "watcher/watcher_api.h"

namespace bw::watcher {

namespace {
HINSTANCE g_instance = nullptr;
}

SharedState& Shared() {
  static SharedState state;
  return state;
}

HINSTANCE LibraryInstance() { return g_instance; }
void SetLibraryInstance(HINSTANCE instance) { g_instance = instance; }

UINT KeyEventMessage() {
  static const UINT message = RegisterWindowMessageA(kKeyMessageName);
  return message;
}

}  // namespace bw::watcher
