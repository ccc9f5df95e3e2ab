#include "platform/fake/fake_desktop.h"

#include <stdexcept>

namespace bw::fake {

using platform::WindowId;

void FakeDesktop::AddWindow(WindowId id, Window window) {
  std::lock_guard lock(mutex_);
  windows_[id] = std::move(window);
}

void FakeDesktop::AddProcess(platform::ProcessId process, std::string executable) {
  std::lock_guard lock(mutex_);
  processes_[process] = std::move(executable);
}

void FakeDesktop::SetForeground(WindowId window) {
  std::lock_guard lock(mutex_);
  foreground_ = window;
}

void FakeDesktop::SetFocus(platform::ThreadId thread, WindowId window) {
  std::lock_guard lock(mutex_);
  focus_[thread] = window;
}

void FakeDesktop::SetCaret(std::optional<platform::CaretPoint> caret) {
  std::lock_guard lock(mutex_);
  caret_ = caret;
}

void FakeDesktop::SetWindowRect(WindowId window, platform::ScreenRect rect) {
  std::lock_guard lock(mutex_);
  rects_[window] = rect;
}

std::optional<platform::ScreenRect> FakeDesktop::WindowRect(WindowId window) {
  std::lock_guard lock(mutex_);
  if (const auto found = rects_.find(window); found != rects_.end()) return found->second;
  if (windows_.contains(window)) return platform::ScreenRect{0, 0, 640, 480};
  return std::nullopt;
}

void FakeDesktop::SetWindowDpi(WindowId window, platform::WindowDpi dpi) {
  std::lock_guard lock(mutex_);
  dpis_[window] = dpi;
}

platform::WindowDpi FakeDesktop::DpiOf(WindowId window) {
  std::lock_guard lock(mutex_);
  const auto found = dpis_.find(window);
  return found != dpis_.end() ? found->second : platform::WindowDpi{};
}

void FakeDesktop::HoldModifiers(platform::Modifiers modifiers, int polls) {
  std::lock_guard lock(mutex_);
  held_ = modifiers;
  heldPolls_ = polls;
}

void FakeDesktop::SetKeyForChar(char c, std::int16_t key) {
  std::lock_guard lock(mutex_);
  keys_[c] = key;
}

void FakeDesktop::Route(WindowId window, MessageSink& sink) {
  std::lock_guard lock(mutex_);
  sinks_[window] = &sink;
}

bool FakeDesktop::Attached() const {
  std::lock_guard lock(mutex_);
  return attachedTo_.has_value();
}

bool FakeDesktop::InputBlocked() const {
  std::lock_guard lock(mutex_);
  return inputBlocked_;
}

bool FakeDesktop::BusyCursorShown() const {
  std::lock_guard lock(mutex_);
  return busy_;
}

WindowId FakeDesktop::LockedWindow() const {
  std::lock_guard lock(mutex_);
  return locked_;
}

platform::Modifiers FakeDesktop::PeekModifiers() const {
  std::lock_guard lock(mutex_);
  return heldPolls_ == 0 ? platform::Modifiers{0} : held_;
}

WindowId FakeDesktop::ForegroundWindow() {
  std::lock_guard lock(mutex_);
  return foreground_;
}

platform::WindowOwner FakeDesktop::OwnerOf(WindowId window) {
  std::lock_guard lock(mutex_);
  const auto found = windows_.find(window);
  if (found == windows_.end()) return {};
  return {found->second.thread, found->second.process};
}

bool FakeDesktop::AttachThreadInput(platform::ThreadId from, platform::ThreadId to, bool attach) {
  std::lock_guard lock(mutex_);
  bool done = false;
  if (attach)
    done = !failAttach_ && from == kOwnThread && to != 0 && to != from && !attachedTo_;
  else
    done = attachedTo_ == to && from == kOwnThread;
  if (done) attachedTo_ = attach ? std::optional<platform::ThreadId>(to) : std::nullopt;
  log_.Add(Event::Of(Event::Kind::Attach, attach ? 1 : 0));
  return done;
}

WindowId FakeDesktop::FocusWindow() {
  std::lock_guard lock(mutex_);
  if (!attachedTo_) return platform::kNoWindow;
  const auto found = focus_.find(*attachedTo_);
  return found == focus_.end() ? platform::kNoWindow : found->second;
}

std::optional<platform::CaretPoint> FakeDesktop::CaretPosition() {
  std::lock_guard lock(mutex_);
  return attachedTo_ ? caret_ : std::nullopt;
}

std::optional<platform::ThreadFocus> FakeDesktop::FocusOfThread(platform::ThreadId thread) {
  std::lock_guard lock(mutex_);
  if (failAttach_) return std::nullopt;
  const auto found = focus_.find(thread);
  platform::ThreadFocus result;
  result.focus = found == focus_.end() ? platform::kNoWindow : found->second;
  if (result.focus != platform::kNoWindow) result.caret = caret_;
  return result;
}

std::string FakeDesktop::ClassName(WindowId window) {
  std::lock_guard lock(mutex_);
  const auto found = windows_.find(window);
  return found == windows_.end() ? std::string() : found->second.className.substr(0, 255);
}

std::string FakeDesktop::WindowText(WindowId window) {
  std::lock_guard lock(mutex_);
  const auto found = windows_.find(window);
  return found == windows_.end() ? std::string() : found->second.caption.substr(0, 255);
}

WindowId FakeDesktop::ParentWindow(WindowId window) {
  std::lock_guard lock(mutex_);
  const auto found = windows_.find(window);
  return found == windows_.end() ? platform::kNoWindow : found->second.parent;
}

WindowId FakeDesktop::TopLevelWindow(WindowId window) {
  std::lock_guard lock(mutex_);
  for (int depth = 0; depth < 64; ++depth) {
    const auto found = windows_.find(window);
    if (found == windows_.end()) return platform::kNoWindow;
    if (found->second.parent == platform::kNoWindow) return window;
    window = found->second.parent;
  }
  return platform::kNoWindow;
}

std::optional<std::string> FakeDesktop::ProcessExecutable(platform::ProcessId process) {
  std::lock_guard lock(mutex_);
  if (failSnapshot_) return std::nullopt;
  const auto found = processes_.find(process);
  if (found == processes_.end()) return std::nullopt;
  return found->second;
}

bool FakeDesktop::Post(WindowId window, platform::KeyMessage message, std::uint32_t wParam, std::uint32_t lParam) {
  std::lock_guard lock(mutex_);
  if (throwAfter_ == 0) {
    throwAfter_ = -1;
    throw std::runtime_error("posting failed");
  }
  if (throwAfter_ > 0) --throwAfter_;
  if (escapeAfter_ > 0 && --escapeAfter_ == 0) {
    escapeAfter_ = -1;
    escapePressed_ = true;
  }
  log_.Add(Event::Posted(window, message, wParam, lParam));
  if (windows_.find(window) == windows_.end()) return false;
  if (const auto sink = sinks_.find(window); sink != sinks_.end())
    sink->second->Receive(window, message, wParam, lParam, heldPolls_ == 0 ? platform::Modifiers{0} : held_);
  return true;
}

std::int16_t FakeDesktop::KeyForChar(char c) {
  std::lock_guard lock(mutex_);
  if (const auto found = keys_.find(c); found != keys_.end()) return found->second;
  if (c >= 'a' && c <= 'z') return static_cast<std::int16_t>(c - 'a' + 'A');
  if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return static_cast<std::int16_t>(c);
  return -1;
}

platform::Modifiers FakeDesktop::HeldModifiers() {
  std::lock_guard lock(mutex_);
  const platform::Modifiers now = heldPolls_ == 0 ? platform::Modifiers{0} : held_;
  if (heldPolls_ > 0) --heldPolls_;
  log_.Add(Event::Of(Event::Kind::ModifierPoll, now));
  return now;
}

bool FakeDesktop::BlockInput(bool block) {
  std::lock_guard lock(mutex_);
  log_.Add(Event::Of(Event::Kind::BlockInput, block ? 1 : 0));
  if (block == inputBlocked_) return false;
  inputBlocked_ = block;
  if (block) escapePressed_ = false;
  return true;
}

bool FakeDesktop::StopRequested() {
  std::lock_guard lock(mutex_);
  return escapePressed_;
}

void FakeDesktop::ShowBusyCursor(bool busy) {
  std::lock_guard lock(mutex_);
  log_.Add(Event::Of(Event::Kind::BusyCursor, busy ? 1 : 0));
  busy_ = busy;
}

bool FakeDesktop::LockWindowUpdate(WindowId window) {
  std::lock_guard lock(mutex_);
  log_.Add(Event::ForWindow(Event::Kind::LockDrawing, window));
  if (window != platform::kNoWindow && locked_ != platform::kNoWindow) return false;
  if (window == platform::kNoWindow && locked_ == platform::kNoWindow) return false;
  locked_ = window;
  return true;
}

}  // namespace bw::fake
