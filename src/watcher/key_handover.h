// The hand-over of one key event from the hook thread to the thread that decides about it. The
// hook waits a bounded time for the verdict and then lets the key pass; the event may still
// arrive at the deciding thread afterwards, and a key that already reached the window must not
// be acted on then (Enter would both reach the editor and choose a word). Whichever side comes
// first decides: the hook abandons the event, or the deciding thread takes it (and the hook
// then waits a little longer for its verdict). Lock-free: the hook thread never waits for a
// lock.
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>

namespace bw::watcher {

class KeyHandover {
public:
  using Ticket = std::uint16_t;  // travels in the high half of a 32-bit wParam

  // Hook thread: a new event; its ticket travels with it.
  Ticket Begin();
  // Hook thread, when its wait ran out: true when the event is now abandoned (the deciding
  // thread will not act on it); false when that thread has already taken it.
  bool Abandon(Ticket ticket);
  // Deciding thread: true when it may act on the event; false when the hook gave up on it (or a
  // later event is on its way).
  bool Take(Ticket ticket);
  // Deciding thread, after Take: the verdict. Hook thread: the verdict, once there is one.
  void Answer(Ticket ticket, bool swallow);
  std::optional<bool> AnswerOf(Ticket ticket) const;

private:
  static constexpr std::uint64_t kTaken = 1, kAbandoned = 2;
  // Ticket in the high half, its state in the low half.
  std::atomic<std::uint64_t> current_{0};
  std::atomic<std::uint64_t> answer_{0};  // ticket << 1 | swallow; 0 for none
  Ticket last_ = 0;                       // hook thread only
};

}  // namespace bw::watcher
