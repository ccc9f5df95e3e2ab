#include "platform/fake/fake_clipboard.h"

namespace bw::fake {

void FakeClipboard::HoldOpen(int attempts) {
  std::lock_guard lock(mutex_);
  refusals_ = attempts;
}

void FakeClipboard::Put(std::optional<std::string> text) {
  std::lock_guard lock(mutex_);
  PutFromOtherProgram(std::move(text));
}

void FakeClipboard::PutFromOtherProgram(std::optional<std::string> text) {
  if (ownedByProgram_) ++putsWhileOwned_;
  ownedByProgram_ = false;
  text_ = std::move(text);
}

void FakeClipboard::FailWrites(bool fail) {
  std::lock_guard lock(mutex_);
  failWrites_ = fail;
}

std::optional<std::string> FakeClipboard::Text() const {
  std::lock_guard lock(mutex_);
  return text_;
}

bool FakeClipboard::IsOpen() const {
  std::lock_guard lock(mutex_);
  return open_;
}

int FakeClipboard::Misuses() const {
  std::lock_guard lock(mutex_);
  return misuses_;
}

bool FakeClipboard::OwnedByProgram() const {
  std::lock_guard lock(mutex_);
  return ownedByProgram_;
}

int FakeClipboard::PutsWhileOwned() const {
  std::lock_guard lock(mutex_);
  return putsWhileOwned_;
}

bool FakeClipboard::Usable() {
  if (!open_) ++misuses_;
  return open_;
}

bool FakeClipboard::Open() { return OpenAs(true); }

bool FakeClipboard::OpenUnowned() { return OpenAs(false); }

bool FakeClipboard::OpenAs(bool owned) {
  std::lock_guard lock(mutex_);
  bool opened = false;
  if (open_) {
    ++misuses_;  // opened twice without closing
  } else if (refusals_ != 0) {
    if (refusals_ > 0) --refusals_;
  } else {
    open_ = opened = true;
    openOwned_ = owned;
  }
  log_.Add(Event::Of(Event::Kind::ClipboardOpen, opened ? 1 : 0));
  return opened;
}

void FakeClipboard::Close() {
  std::lock_guard lock(mutex_);
  Usable();
  open_ = false;
  log_.Add(Event::Of(Event::Kind::ClipboardClose));
}

void FakeClipboard::PutAfterReads(int reads, std::string text) {
  std::lock_guard lock(mutex_);
  readsBeforePut_ = reads;
  latePut_ = std::move(text);
}

std::optional<std::string> FakeClipboard::ReadText() {
  std::lock_guard lock(mutex_);
  log_.Add(Event::Of(Event::Kind::ClipboardRead));
  if (readsBeforePut_ > 0 && --readsBeforePut_ == 0) PutFromOtherProgram(latePut_);
  if (!Usable()) return std::nullopt;
  return text_;
}

bool FakeClipboard::Empty() {
  std::lock_guard lock(mutex_);
  log_.Add(Event::Of(Event::Kind::ClipboardEmpty));
  if (!Usable()) return false;
  text_.reset();
  ownedByProgram_ = openOwned_;
  return true;
}

bool FakeClipboard::WriteText(std::string_view text) {
  std::lock_guard lock(mutex_);
  log_.Add(Event::WithText(Event::Kind::ClipboardWrite, std::string(text)));
  if (!Usable() || failWrites_) return false;
  // As on Windows: with no window to own it, the text cannot be set.
  if (!openOwned_) {
    ++misuses_;
    return false;
  }
  text_ = std::string(text);
  ownedByProgram_ = true;
  return true;
}

}  // namespace bw::fake
