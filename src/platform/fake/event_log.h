// One ordered record of everything the editor automation did to the fake desktop: posted
// messages, pauses, input blocking, drawing locks, thread attachment, clipboard use and
// questions. Shared by the fakes so that tests can check the order across them.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <mutex>
#include <string>
#include <vector>

#include "platform/keyboard.h"
#include "platform/window_id.h"

namespace bw::fake {

struct Event {
  enum class Kind {
    Post,           // window, message, wParam, lParam
    Sleep,          // value = milliseconds
    Pump,           // pending messages ran
    ModifierPoll,   // value = modifiers reported held
    BlockInput,     // value = 1 block, 0 release
    BusyCursor,     // value = 1 busy, 0 normal
    LockDrawing,    // window (kNoWindow = unlock)
    Attach,         // value = 1 attach, 0 detach
    ClipboardOpen,  // value = 1 opened, 0 refused
    ClipboardClose,
    ClipboardRead,
    ClipboardEmpty,
    ClipboardWrite,  // text
    Question,        // text = caption + ": " + question, value = answer
    Message,         // text
  };
  Kind kind = Kind::Post;
  platform::WindowId window = platform::kNoWindow;
  platform::KeyMessage message = platform::KeyMessage::Char;
  std::uint32_t wParam = 0;
  std::uint32_t lParam = 0;
  std::int64_t value = 0;
  std::string text;

  static Event Of(Kind kind, std::int64_t value = 0);
  static Event Posted(platform::WindowId window, platform::KeyMessage message, std::uint32_t wParam,
                      std::uint32_t lParam);
  static Event ForWindow(Kind kind, platform::WindowId window);
  static Event WithText(Kind kind, std::string text, std::int64_t value = 0);
};

// A short readable token for an event: "'a'" for a character, "+Home" / "-Home" for key down
// and up, "sleep 150", "block on", "lock 7", "unlock", "attach", "clip write x" and so on.
std::string Describe(const Event& event);
// The name of a virtual key in tokens ("Enter", "Left", "C", "vk200").
std::string KeyName(std::uint32_t key);

class EventLog {
public:
  void Add(Event event);
  std::vector<Event> Events() const;
  void Clear();

  // The tokens of the events of the given kinds (all kinds when none are given). A key down
  // directly followed by its key up, both to the same window with the standard parameters,
  // merges into one token: the key's name ("Enter").
  std::vector<std::string> Transcript(std::initializer_list<Event::Kind> kinds = {}) const;
  // Only the posted messages and the pauses.
  std::vector<std::string> KeysAndPauses() const;
  // The posted messages to one window.
  std::vector<Event> PostsTo(platform::WindowId window) const;
  // Sum of all recorded sleeps, in milliseconds.
  std::int64_t SleptMs() const;

private:
  mutable std::mutex mutex_;
  std::vector<Event> events_;
};

}  // namespace bw::fake
