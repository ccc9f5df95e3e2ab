#include "editor/posting.h"

namespace bw {

using platform::KeyMessage;

bool Poster::Stopped() {
  if (!stopped_ && stopper_ != nullptr) stopped_ = stopper_->StopRequested();
  return stopped_;
}

void Poster::Post(platform::WindowId window, KeyMessage message, std::uint32_t wParam, std::uint32_t lParam) {
  // A message posted to no window would land in our own thread's queue.
  if (window == platform::kNoWindow) return;
  keyboard_.Post(window, message, wParam, lParam);
}

void Poster::Pause(std::chrono::milliseconds pause) {
  if (pause <= std::chrono::milliseconds::zero() || Stopped()) return;
  clock_.PumpMessages();
  clock_.Sleep(pause);
}

void Poster::PostKey(platform::WindowId window, std::uint16_t key, std::chrono::milliseconds pause) {
  if (Stopped()) return;  // never a key down without its key up
  Post(window, KeyMessage::KeyDown, key, kKeyDownParam);
  Post(window, KeyMessage::KeyUp, key, kKeyUpParam);
  Pause(pause);
}

void Poster::PostChar(platform::WindowId window, char c, std::chrono::milliseconds pause) {
  if (Stopped()) return;
  Post(window, KeyMessage::Char, static_cast<unsigned char>(c), kCharParam);
  Pause(pause);
}

void Poster::PostCopy(platform::WindowId topLevel) {
  const std::int16_t found = keyboard_.KeyForChar('c');
  const std::uint16_t copyKey = found == -1 ? kFallbackCopyKey : static_cast<std::uint16_t>(found);
  Post(topLevel, KeyMessage::KeyDown, platform::vk::Control, 0);
  PostKey(topLevel, copyKey, std::chrono::milliseconds::zero());
  Post(topLevel, KeyMessage::KeyUp, platform::vk::Control, 0);
  clock_.PumpMessages();
  clock_.Sleep(kCopyPause);
}

}  // namespace bw
