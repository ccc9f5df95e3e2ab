// Keyboard layouts with dead keys for the native tests, and the completion's key translation
// over one of them. The layout's translation is stateful as the system's is: a dead key waits
// in the layout (shared by every thread that translates) and the next key combines with it.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/key_translation.h"
#include "platform/layout_chars.h"

namespace bw::fake {

enum class LayoutKind {
  Us,               // US English
  German,           // ^ and ´ (and Shift+´ for `) dead; Z and Y as labelled; AltGr+Q types @
  UsInternational,  // ' and " dead
  French,           // AZERTY: "." is Shift with the ";" key, digits need Shift, ^ dead
};

// Virtual keys of the punctuation keys (the same codes on every layout).
namespace layoutvk {
inline constexpr std::uint32_t Oem1 = 0xBA, Comma = 0xBC, Period = 0xBE, Oem4 = 0xDB, Oem5 = 0xDC, Oem6 = 0xDD,
                               Oem7 = 0xDE;
}

class FakeKeyboardLayout {
public:
  explicit FakeKeyboardLayout(LayoutKind kind);
  // What the key types in the focus window's thread (TranslateMessage there): a dead key types
  // nothing and waits; the next key types the combined character, or the dead character and
  // its own when they do not combine. Characters are Windows-1252.
  std::string Type(std::uint32_t virtualKey, platform::Modifiers held);
  // VkKeyScanEx of the layout: stateless.
  std::int16_t KeyFor(char c) const;
  bool IsDeadKey(std::uint32_t virtualKey) const;

private:
  struct Key {
    std::uint32_t virtualKey;
    platform::Modifiers state;  // kHeldShift, or kHeldCtrl | kHeldAlt for AltGr
    char c;
    bool dead;
  };
  const Key* Find(std::uint32_t virtualKey, platform::Modifiers state) const;

  std::vector<Key> keys_;
  char pending_ = 0;
};

// The completion's translation on a fake layout, decided as on Windows from the layout's
// table (never from its stateful translation), with the modifiers the test holds.
class LayoutKeyTranslation final : public platform::KeyTranslation {
public:
  explicit LayoutKeyTranslation(const FakeKeyboardLayout& layout)
      : table_(platform::LayoutChars::Build([&layout](char c) { return layout.KeyFor(c); },
                                            [&layout](std::uint32_t vk) { return layout.IsDeadKey(vk); })) {}
  void Hold(platform::Modifiers held) { held_ = held; }
  std::string Translate(std::uint32_t virtualKey, std::uint32_t) override {
    return table_.Translate(virtualKey, held_, false);
  }
  platform::Modifiers StateModifiers() override { return held_; }

private:
  platform::LayoutChars table_;
  std::atomic<platform::Modifiers> held_{0};
};

}  // namespace bw::fake
