#include "watcher/physical_input_gate.h"

namespace bw::watcher {

void PhysicalInputGate::Close() {
  closed_ = true;
  swallowedDown_.reset();
}

void PhysicalInputGate::Open() { closed_ = false; }

bool PhysicalInputGate::SwallowKey(std::uint32_t virtualKey, bool released, bool injected) {
  const std::size_t index = virtualKey & 0xFFu;
  if (injected) return false;
  if (!released) {
    if (!closed_) return false;
    swallowedDown_.set(index);
    return true;
  }
  // A release is swallowed exactly when its press was, also after the gate opened again.
  const bool swallow = swallowedDown_.test(index);
  swallowedDown_.reset(index);
  return swallow;
}

}  // namespace bw::watcher
