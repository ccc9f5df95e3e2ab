// The posting primitives: keys and characters placed in another program's window queue,
// exactly as the keyboard would deliver them, each followed by an optional pause.
#pragma once

#include <chrono>
#include <cstdint>

#include "platform/clock.h"
#include "platform/keyboard.h"
#include "platform/user_input.h"

namespace bw {

// lParam of the posted keyboard messages: repeat count 1 and scan code 0x1C for every key;
// key-up also carries the previous-state and transition bits.
inline constexpr std::uint32_t kKeyDownParam = 0x001C0001;
inline constexpr std::uint32_t kKeyUpParam = 0xC01C0001;
inline constexpr std::uint32_t kCharParam = 0x001C0001;

// The key of the letter C, used when the active layout has no key for "c".
inline constexpr std::uint16_t kFallbackCopyKey = 0x43;

// The pause after the copy chord, giving the client time to fill the clipboard.
inline constexpr std::chrono::milliseconds kCopyPause{50};

class Poster {
public:
  Poster(platform::Keyboard& keyboard, platform::Clock& clock) : keyboard_(keyboard), clock_(clock) {}

  // WM_KEYDOWN then WM_KEYUP for the key. A pause above zero first lets the calling thread's
  // pending window messages run, then waits that long. Nothing is posted to kNoWindow.
  void PostKey(platform::WindowId window, std::uint16_t key, std::chrono::milliseconds pause);
  // One WM_CHAR with the byte; pause as for PostKey.
  void PostChar(platform::WindowId window, char c, std::chrono::milliseconds pause);
  // Ctrl+C to the client's top-level window: Control down (lParam 0), the layout's c key,
  // Control up (lParam 0); then pending messages run and the copy pause passes.
  void PostCopy(platform::WindowId topLevel);

  platform::Keyboard& Keyboard() { return keyboard_; }
  platform::Clock& Clock() { return clock_; }

  // From now on the user may stop the run with Esc: once the input says so, nothing more is
  // posted and no pause is waited, so that the rest of the run passes at once untyped.
  void StopOnRequest(platform::UserInput& input) { stopper_ = &input; }
  // True once the user asked to stop (it stays so).
  bool Stopped();

private:
  void Post(platform::WindowId window, platform::KeyMessage message, std::uint32_t wParam, std::uint32_t lParam);
  void Pause(std::chrono::milliseconds pause);

  platform::Keyboard& keyboard_;
  platform::Clock& clock_;
  platform::UserInput* stopper_ = nullptr;  // not owned; null: the run cannot be stopped
  bool stopped_ = false;
};

}  // namespace bw
