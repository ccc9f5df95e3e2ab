#include "watcher/win32/shared_state.h"

#include <memory>
#include <vector>

#include "watcher/watcher_api.h"

namespace bw::watcher {

namespace {
HINSTANCE g_instance = nullptr;
// Every list handed over; read by the hook thread through SharedState::classes.
std::vector<std::unique_ptr<const WatchedClasses>> g_classLists;
}

void SetClassList(std::string_view classes) {
  auto list = std::make_unique<const WatchedClasses>(classes);
  Shared().classes.store(list->WatchesAll() ? nullptr : list.get());
  g_classLists.push_back(std::move(list));
}

void ReleaseClassLists() {
  Shared().classes.store(nullptr);
  g_classLists.clear();
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
