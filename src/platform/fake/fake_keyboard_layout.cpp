#include "platform/fake/fake_keyboard_layout.h"

#include <string_view>

namespace bw::fake {
namespace {

using namespace layoutvk;
constexpr platform::Modifiers kPlain = 0, kShifted = platform::kHeldShift, kAltGr = platform::kHeldCtrl | platform::kHeldAlt;

// The accented letter a dead key makes of a vowel, or 0.
char Combine(char dead, char letter) {
  const bool upper = letter >= 'A' && letter <= 'Z';
  const char lower = upper ? static_cast<char>(letter - 'A' + 'a') : letter;
  const std::string_view vowels = "aeiou";
  const std::size_t at = vowels.find(lower);
  if (at == std::string_view::npos) return 0;
  std::string_view accented;
  switch (dead) {
    case '^': accented = "\xE2\xEA\xEE\xF4\xFB"; break;
    case '\xB4':
    case '\'': accented = "\xE1\xE9\xED\xF3\xFA"; break;
    case '`': accented = "\xE0\xE8\xEC\xF2\xF9"; break;
    case '"': accented = "\xE4\xEB\xEF\xF6\xFC"; break;
    default: return 0;
  }
  return static_cast<char>(static_cast<unsigned char>(accented[at]) - (upper ? 0x20 : 0));
}

}  // namespace

FakeKeyboardLayout::FakeKeyboardLayout(LayoutKind kind) {
  for (char c = 'A'; c <= 'Z'; ++c) {
    keys_.push_back({static_cast<std::uint32_t>(c), kPlain, static_cast<char>(c - 'A' + 'a'), false});
    keys_.push_back({static_cast<std::uint32_t>(c), kShifted, c, false});
  }
  keys_.push_back({32, kPlain, ' ', false});
  keys_.push_back({32, kShifted, ' ', false});
  const auto digits = [this](std::string_view plain, std::string_view shifted) {
    for (std::uint32_t i = 0; i < 10; ++i) {
      keys_.push_back({'0' + i, kPlain, plain[i], false});
      keys_.push_back({'0' + i, kShifted, shifted[i], false});
    }
  };
  switch (kind) {
    case LayoutKind::Us:
    case LayoutKind::UsInternational:
      digits("0123456789", ")!@#$%^&*(");
      keys_.insert(keys_.end(), {{Oem1, kPlain, ';', false}, {Oem1, kShifted, ':', false}, {Comma, kPlain, ',', false},
                                 {Comma, kShifted, '<', false}, {Period, kPlain, '.', false},
                                 {Period, kShifted, '>', false}});
      if (kind == LayoutKind::Us)
        keys_.insert(keys_.end(), {{Oem7, kPlain, '\'', false}, {Oem7, kShifted, '"', false}});
      else
        keys_.insert(keys_.end(), {{Oem7, kPlain, '\'', true}, {Oem7, kShifted, '"', true}});
      break;
    case LayoutKind::German:
      digits("0123456789", "=!\"\xA7$%&/()");
      keys_.insert(keys_.end(), {{Comma, kPlain, ',', false}, {Comma, kShifted, ';', false},
                                 {Period, kPlain, '.', false}, {Period, kShifted, ':', false},
                                 {Oem5, kPlain, '^', true}, {Oem6, kPlain, '\xB4', true},
                                 {Oem6, kShifted, '`', true}, {'Q', kAltGr, '@', false}});
      break;
    case LayoutKind::French:
      digits("\xE0&\xE9\"'(-\xE8_\xE7", "0123456789");
      keys_.insert(keys_.end(), {{Comma, kPlain, ',', false}, {Comma, kShifted, '?', false},
                                 {Period, kPlain, ';', false}, {Period, kShifted, '.', false},
                                 {Oem4, kPlain, ')', false}, {Oem6, kPlain, '^', true}});
      break;
  }
}

const FakeKeyboardLayout::Key* FakeKeyboardLayout::Find(std::uint32_t virtualKey, platform::Modifiers state) const {
  for (const Key& key : keys_)
    if (key.virtualKey == virtualKey && key.state == state) return &key;
  return nullptr;
}

std::string FakeKeyboardLayout::Type(std::uint32_t virtualKey, platform::Modifiers held) {
  const bool altGr = (held & kAltGr) == kAltGr;
  const Key* key = Find(virtualKey, altGr ? kAltGr : static_cast<platform::Modifiers>(held & platform::kHeldShift));
  if (key == nullptr || ((held & platform::kHeldCtrl) != 0 && !altGr)) return {};
  const char waiting = pending_;
  if (key->dead && waiting == 0) {
    pending_ = key->c;
    return {};
  }
  pending_ = 0;
  if (waiting == 0) return std::string(1, key->c);
  if (key->c == ' ') return std::string(1, waiting);
  const char combined = key->dead ? 0 : Combine(waiting, key->c);
  if (combined != 0) return std::string(1, combined);
  return std::string{waiting, key->c};
}

std::int16_t FakeKeyboardLayout::KeyFor(char c) const {
  for (const Key& key : keys_) {
    if (key.c != c) continue;
    unsigned state = 0;
    if ((key.state & platform::kHeldShift) != 0) state |= 1;
    if ((key.state & platform::kHeldCtrl) != 0) state |= 2;
    if ((key.state & platform::kHeldAlt) != 0) state |= 4;
    return static_cast<std::int16_t>((state << 8) | key.virtualKey);
  }
  return -1;
}

bool FakeKeyboardLayout::IsDeadKey(std::uint32_t virtualKey) const {
  for (const Key& key : keys_)
    if (key.virtualKey == virtualKey && key.dead) return true;
  return false;
}

}  // namespace bw::fake
