#include "platform/fake/event_log.h"

#include <algorithm>

namespace bw::fake {
namespace {

constexpr std::uint32_t kStandardDown = 0x001C0001;
constexpr std::uint32_t kStandardUp = 0xC01C0001;

bool IsKeyPair(const Event& down, const Event& up) {
  return down.kind == Event::Kind::Post && up.kind == Event::Kind::Post &&
         down.message == platform::KeyMessage::KeyDown && up.message == platform::KeyMessage::KeyUp &&
         down.window == up.window && down.wParam == up.wParam && down.lParam == kStandardDown &&
         up.lParam == kStandardUp;
}

}  // namespace

Event Event::Of(Kind kind, std::int64_t value) {
  Event event;
  event.kind = kind;
  event.value = value;
  return event;
}

Event Event::Posted(platform::WindowId window, platform::KeyMessage message, std::uint32_t wParam,
                    std::uint32_t lParam) {
  Event event;
  event.kind = Kind::Post;
  event.window = window;
  event.message = message;
  event.wParam = wParam;
  event.lParam = lParam;
  return event;
}

Event Event::ForWindow(Kind kind, platform::WindowId window) {
  Event event;
  event.kind = kind;
  event.window = window;
  return event;
}

Event Event::WithText(Kind kind, std::string text, std::int64_t value) {
  Event event;
  event.kind = kind;
  event.text = std::move(text);
  event.value = value;
  return event;
}

std::string KeyName(std::uint32_t key) {
  switch (key) {
    case 8: return "Backspace";
    case 9: return "Tab";
    case 13: return "Enter";
    case 16: return "Shift";
    case 17: return "Control";
    case 18: return "Alt";
    case 35: return "End";
    case 36: return "Home";
    case 37: return "Left";
    case 38: return "Up";
    case 39: return "Right";
    case 40: return "Down";
    case 46: return "Delete";
    default: break;
  }
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return std::string(1, static_cast<char>(key));
  return "vk" + std::to_string(key);
}

std::string Describe(const Event& event) {
  using Kind = Event::Kind;
  switch (event.kind) {
    case Kind::Post:
      switch (event.message) {
        case platform::KeyMessage::Char: return std::string("'") + static_cast<char>(event.wParam) + "'";
        case platform::KeyMessage::KeyDown: return "+" + KeyName(event.wParam);
        case platform::KeyMessage::KeyUp: return "-" + KeyName(event.wParam);
      }
      return "post?";
    case Kind::Sleep: return "sleep " + std::to_string(event.value);
    case Kind::Pump: return "pump";
    case Kind::ModifierPoll: return "poll " + std::to_string(event.value);
    case Kind::BlockInput: return event.value ? "block on" : "block off";
    case Kind::BusyCursor: return event.value ? "busy on" : "busy off";
    case Kind::LockDrawing: return event.window ? "lock " + std::to_string(event.window) : "unlock";
    case Kind::Attach: return event.value ? "attach" : "detach";
    case Kind::ClipboardOpen: return event.value ? "clip open" : "clip refused";
    case Kind::ClipboardClose: return "clip close";
    case Kind::ClipboardRead: return "clip read";
    case Kind::ClipboardEmpty: return "clip empty";
    case Kind::ClipboardWrite: return "clip write " + event.text;
    case Kind::Question: return "ask " + event.text;
    case Kind::Message: return "say " + event.text;
  }
  return "?";
}

void EventLog::Add(Event event) {
  std::lock_guard lock(mutex_);
  events_.push_back(std::move(event));
}

std::vector<Event> EventLog::Events() const {
  std::lock_guard lock(mutex_);
  return events_;
}

void EventLog::Clear() {
  std::lock_guard lock(mutex_);
  events_.clear();
}

std::vector<std::string> EventLog::Transcript(std::initializer_list<Event::Kind> kinds) const {
  std::vector<Event> picked;
  for (const Event& event : Events())
    if (kinds.size() == 0 || std::find(kinds.begin(), kinds.end(), event.kind) != kinds.end()) picked.push_back(event);
  std::vector<std::string> tokens;
  for (std::size_t i = 0; i < picked.size(); ++i) {
    if (i + 1 < picked.size() && IsKeyPair(picked[i], picked[i + 1])) {
      tokens.push_back(KeyName(picked[i].wParam));
      ++i;
    } else {
      tokens.push_back(Describe(picked[i]));
    }
  }
  return tokens;
}

std::vector<std::string> EventLog::KeysAndPauses() const {
  return Transcript({Event::Kind::Post, Event::Kind::Sleep});
}

std::vector<Event> EventLog::PostsTo(platform::WindowId window) const {
  std::vector<Event> posts;
  for (const Event& event : Events())
    if (event.kind == Event::Kind::Post && event.window == window) posts.push_back(event);
  return posts;
}

std::int64_t EventLog::SleptMs() const {
  std::int64_t total = 0;
  for (const Event& event : Events())
    if (event.kind == Event::Kind::Sleep) total += event.value;
  return total;
}

}  // namespace bw::fake
