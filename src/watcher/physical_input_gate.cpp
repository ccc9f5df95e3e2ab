#include "watcher/physical_input_gate.h"

namespace bw::watcher {

namespace {
constexpr std::uint32_t kEscape = 0x1B;
}

void PhysicalInputGate::Close() {
  closed_ = true;
  stopRequested_ = false;
  swallowedDown_.reset();
  swallowedButtons_.reset();
}

void PhysicalInputGate::Open() { closed_ = false; }

void PhysicalInputGate::Follow(bool closed, std::uint32_t run) {
  if (closed && (!closed_ || run != run_)) {
    Close();
    run_ = run;
  } else if (!closed && closed_) {
    Open();
  }
}

bool PhysicalInputGate::SwallowKey(std::uint32_t virtualKey, bool released, bool injected) {
  const std::size_t index = virtualKey & 0xFFu;
  if (injected) return false;
  if (!released) {
    if (!closed_) return false;
    if (index == kEscape) stopRequested_ = true;
    swallowedDown_.set(index);
    return true;
  }
  // A release is swallowed exactly when its press was, also after the gate opened again.
  const bool swallow = swallowedDown_.test(index);
  swallowedDown_.reset(index);
  return swallow;
}

bool PhysicalInputGate::SwallowMouse(MouseAction action, MouseButton button, bool injected) {
  if (injected || action == MouseAction::Move) return false;
  const auto index = static_cast<std::size_t>(button);
  switch (action) {
    case MouseAction::Press:
      if (!closed_) return false;
      swallowedButtons_.set(index);
      return true;
    case MouseAction::Release: {
      const bool swallow = swallowedButtons_.test(index);
      swallowedButtons_.reset(index);
      return swallow;
    }
    default:
      return closed_;
  }
}

}  // namespace bw::watcher
