// A hotkey registrar that behaves like the system's: a key is held by one id at a time, and keys
// can be marked as held by other programs. Every call is recorded in order.
#pragma once

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/hotkey_registrar.h"

namespace bw::platform {

class FakeHotkeyRegistrar : public HotkeyRegistrar {
public:
  struct Key {
    unsigned modifiers = 0;
    unsigned virtualKey = 0;
    auto operator<=>(const Key&) const = default;
  };
  struct Call {
    bool registering = true;
    int id = 0;
    Key key;  // for registrations
    bool accepted = true;
  };

  bool Register(int id, unsigned modifiers, unsigned virtualKey) override;
  void Unregister(int id) override;

  // The key is registered by another program: registering it fails.
  void HoldElsewhere(unsigned modifiers, unsigned virtualKey) { heldElsewhere_.insert({modifiers, virtualKey}); }
  void Release(unsigned modifiers, unsigned virtualKey) { heldElsewhere_.erase({modifiers, virtualKey}); }

  const std::map<int, Key>& Registered() const { return registered_; }
  bool IsRegistered(int id) const { return registered_.contains(id); }
  // The id holding the key, or 0.
  int IdOf(unsigned modifiers, unsigned virtualKey) const;
  // Ids of the accepted registrations, in call order.
  std::vector<int> RegisteredIdsInOrder() const;

  std::vector<Call> calls;

private:
  std::map<int, Key> registered_;
  std::set<Key> heldElsewhere_;
};

}  // namespace bw::platform
