#include "platform/fake/fake_clipboard.h"

#include <algorithm>
#include <utility>

#include "base/text_case.h"

namespace bw::fake {
namespace {

std::vector<platform::ClipboardItem> TextItems(std::optional<std::string> text) {
  if (!text) return {};
  return {{platform::kTextFormat, std::move(*text)}};
}

std::optional<std::string> TextOf(const std::vector<platform::ClipboardItem>& items) {
  const auto text = std::find_if(items.begin(), items.end(),
                                 [](const platform::ClipboardItem& item) { return item.format == platform::kTextFormat; });
  if (text == items.end()) return std::nullopt;
  return text->bytes;
}

}  // namespace

void FakeClipboard::HoldOpen(int attempts) {
  std::lock_guard lock(mutex_);
  refusals_ = attempts;
}

void FakeClipboard::Put(std::optional<std::string> text) {
  std::lock_guard lock(mutex_);
  PutFromOtherProgram(TextItems(std::move(text)));
}

void FakeClipboard::PutItems(std::vector<platform::ClipboardItem> items) {
  std::lock_guard lock(mutex_);
  PutFromOtherProgram(std::move(items));
}

void FakeClipboard::PutFromOtherProgram(std::vector<platform::ClipboardItem> items) {
  if (ownedByProgram_) ++putsWhileOwned_;
  ownedByProgram_ = false;
  items_ = std::move(items);
  sizes_.clear();
  delayed_.clear();
}

void FakeClipboard::PutSized(std::uint32_t format, std::size_t size) {
  std::lock_guard lock(mutex_);
  items_.push_back({format, {}});
  sizes_[format] = size;
}

void FakeClipboard::DelayRendering(std::vector<std::uint32_t> formats) {
  std::lock_guard lock(mutex_);
  delayed_.insert(formats.begin(), formats.end());
}

void FakeClipboard::HangOwner(bool hung) {
  std::lock_guard lock(mutex_);
  ownerHung_ = hung;
}

int FakeClipboard::HungReads() const {
  std::lock_guard lock(mutex_);
  return hungReads_;
}

void FakeClipboard::FailEmpty(bool fail) {
  std::lock_guard lock(mutex_);
  failEmpty_ = fail;
}

void FakeClipboard::HoldOpenAfterEmpty(int attempts) {
  std::lock_guard lock(mutex_);
  refusalsAfterEmpty_ = attempts;
}

std::optional<std::string> FakeClipboard::Text() const {
  std::lock_guard lock(mutex_);
  return TextOf(items_);
}

std::vector<platform::ClipboardItem> FakeClipboard::Items() const {
  std::lock_guard lock(mutex_);
  return items_;
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
  if (readsBeforePut_ > 0 && --readsBeforePut_ == 0) PutFromOtherProgram(TextItems(latePut_));
  if (!Usable()) return std::nullopt;
  return TextOf(items_);
}

std::vector<platform::ClipboardFormat> FakeClipboard::Formats() {
  std::lock_guard lock(mutex_);
  log_.Add(Event::Of(Event::Kind::ClipboardRead));
  if (!Usable()) return {};
  std::vector<platform::ClipboardFormat> formats;
  for (const auto& item : items_) {
    const std::size_t index = item.format - platform::kFirstRegisteredFormat;
    const bool named = item.format >= platform::kFirstRegisteredFormat && index < registered_.size();
    formats.push_back({item.format, named ? registered_[index] : std::string()});
  }
  return formats;
}

bool FakeClipboard::OwnerAnswers() {
  std::lock_guard lock(mutex_);
  Usable();
  return ownedByProgram_ || !ownerHung_;
}

const platform::ClipboardItem* FakeClipboard::Held(std::uint32_t format) {
  if (!Usable()) return nullptr;
  const auto item = std::find_if(items_.begin(), items_.end(),
                                 [&](const platform::ClipboardItem& held) { return held.format == format; });
  if (item == items_.end()) return nullptr;
  if (delayed_.contains(format)) {
    if (ownerHung_ && !ownedByProgram_) {
      ++hungReads_;
      return nullptr;
    }
    delayed_.erase(format);  // rendered now
  }
  return &*item;
}

std::optional<std::size_t> FakeClipboard::SizeOf(std::uint32_t format) {
  std::lock_guard lock(mutex_);
  const platform::ClipboardItem* item = Held(format);
  if (!item) return std::nullopt;
  const auto sized = sizes_.find(format);
  return sized != sizes_.end() ? sized->second : item->bytes.size();
}

std::optional<std::string> FakeClipboard::Read(std::uint32_t format) {
  std::lock_guard lock(mutex_);
  const platform::ClipboardItem* item = Held(format);
  if (!item) return std::nullopt;
  const auto sized = sizes_.find(format);
  return sized != sizes_.end() ? std::string(sized->second, '\0') : item->bytes;
}

std::uint32_t FakeClipboard::RegisterFormat(std::string_view name) {
  std::lock_guard lock(mutex_);
  const auto same = [&](const std::string& known) { return EqualsIgnoringCase(known, name); };
  auto known = std::find_if(registered_.begin(), registered_.end(), same);
  if (known == registered_.end()) known = registered_.insert(registered_.end(), std::string(name));
  return platform::kFirstRegisteredFormat + static_cast<std::uint32_t>(known - registered_.begin());
}

bool FakeClipboard::Empty() {
  std::lock_guard lock(mutex_);
  log_.Add(Event::Of(Event::Kind::ClipboardEmpty));
  if (!Usable() || failEmpty_) return false;
  items_.clear();
  sizes_.clear();
  delayed_.clear();
  ownedByProgram_ = openOwned_;
  refusals_ = std::exchange(refusalsAfterEmpty_, 0);
  return true;
}

bool FakeClipboard::WriteAll(std::span<const platform::ClipboardItem> items) {
  std::lock_guard lock(mutex_);
  std::string formats;
  for (const auto& item : items) formats += (formats.empty() ? "" : " ") + std::to_string(item.format);
  log_.Add(Event::WithText(Event::Kind::ClipboardWrite, formats));
  if (!Usable() || failEmpty_) return false;
  // As on Windows: with no window to own it, nothing can be set.
  if (!openOwned_) {
    ++misuses_;
    return false;
  }
  items_.assign(items.begin(), items.end());
  sizes_.clear();
  delayed_.clear();
  ownedByProgram_ = true;
  return true;
}

}  // namespace bw::fake
