#include "watcher/key_handover.h"

namespace bw::watcher {

KeyHandover::Ticket KeyHandover::Begin() {
  if (++last_ == 0) last_ = 1;  // 0 stands for "no answer"
  current_.store(static_cast<std::uint64_t>(last_) << 32);
  return last_;
}

bool KeyHandover::Abandon(Ticket ticket) {
  std::uint64_t pending = static_cast<std::uint64_t>(ticket) << 32;
  return current_.compare_exchange_strong(pending, pending | kAbandoned) || (pending & kAbandoned) != 0;
}

bool KeyHandover::Take(Ticket ticket) {
  std::uint64_t pending = static_cast<std::uint64_t>(ticket) << 32;
  return current_.compare_exchange_strong(pending, pending | kTaken);
}

void KeyHandover::Answer(Ticket ticket, bool swallow) {
  answer_.store(static_cast<std::uint64_t>(ticket) << 1 | (swallow ? 1u : 0u));
}

std::optional<bool> KeyHandover::AnswerOf(Ticket ticket) const {
  const std::uint64_t answer = answer_.load();
  if (answer >> 1 != ticket) return std::nullopt;
  return (answer & 1) != 0;
}

}  // namespace bw::watcher
