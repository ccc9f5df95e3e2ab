#include "platform/fake/fake_hotkey_registrar.h"

namespace bw::platform {

bool FakeHotkeyRegistrar::Register(int id, unsigned modifiers, unsigned virtualKey) {
  const Key key{modifiers, virtualKey};
  bool accepted = !heldElsewhere_.contains(key) && !registered_.contains(id);
  for (const auto& [otherId, otherKey] : registered_)
    if (otherKey == key) accepted = false;
  if (accepted) registered_[id] = key;
  calls.push_back({true, id, key, accepted});
  return accepted;
}

void FakeHotkeyRegistrar::Unregister(int id) {
  registered_.erase(id);
  calls.push_back({false, id, {}, true});
}

int FakeHotkeyRegistrar::IdOf(unsigned modifiers, unsigned virtualKey) const {
  for (const auto& [id, key] : registered_)
    if (key == Key{modifiers, virtualKey}) return id;
  return 0;
}

std::vector<int> FakeHotkeyRegistrar::RegisteredIdsInOrder() const {
  std::vector<int> ids;
  for (const auto& call : calls)
    if (call.registering && call.accepted) ids.push_back(call.id);
  return ids;
}

}  // namespace bw::platform
