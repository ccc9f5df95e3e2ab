#include "settings/hotkey_text.h"

#include <array>
#include <optional>

#include "base/text_case.h"

namespace bw {

namespace {

constexpr TShortCut kModifierBits = kShift | kCtrl | kAlt;

// Codes tried by ParseHotkey. Codes from 256 upward carry the names of their low byte.
constexpr unsigned kFirstParsedCode = 8;
constexpr unsigned kLastParsedCode = 597;

// The program's own short names; nullopt leaves the key to the keyboard layout.
std::optional<std::string> FixedKeyName(unsigned vk) {
  static constexpr std::array<std::string_view, 9> kNavigation = {
      "Space", "PgUp", "PgDn", "End", "Home", "Left", "Up", "Right", "Down"};
  switch (vk) {
    case 0x08: return "BkSp";
    case 0x09: return "Tab";
    case 0x0D: return "Enter";
    case 0x1B: return "Esc";
    case 0x2D: return "Ins";
    case 0x2E: return "Del";
    // The keypad's divide key shares its scan code with the main keyboard's key there ("/" on
    // a US layout, "-" on a German one); asked without the extended bit the layout gives both
    // the same name, and the lower code would take the main key's hotkey text away from it.
    case 0x6F: return "Num /";
    default: break;
  }
  if (vk >= 0x20 && vk <= 0x28) return std::string(kNavigation[vk - 0x20]);
  if (vk >= 0x30 && vk <= 0x39) return std::string(1, static_cast<char>(vk));
  if (vk >= 0x41 && vk <= 0x5A) return std::string(1, static_cast<char>(vk));
  if (vk >= 0x60 && vk <= 0x69) return std::string(1, static_cast<char>('0' + (vk - 0x60)));
  if (vk >= 0x70 && vk <= 0x87) {
    std::string name(1, 'F');
    name += std::to_string(vk - 0x6F);
    return name;
  }
  return std::nullopt;
}

// Key names of one parse: each code's name is asked for at most once per call, and nothing
// is kept between calls, so a change of keyboard layout is seen by the next parse.
class NameLookup {
public:
  explicit NameLookup(platform::KeyNames& keys) : keys_(keys) {}
  const std::string& Name(unsigned vk) {
    auto& slot = names_[vk & 0xFF];
    if (!slot) slot = KeyName(vk, keys_);
    return *slot;
  }

private:
  platform::KeyNames& keys_;
  std::array<std::optional<std::string>, 256> names_;
};

}  // namespace

std::string KeyName(unsigned virtualKey, platform::KeyNames& keys) {
  const unsigned vk = virtualKey & 0xFF;
  if (auto fixed = FixedKeyName(vk)) return *fixed;
  return keys.LayoutKeyName(static_cast<std::uint8_t>(vk));
}

std::string FormatHotkey(TShortCut code, platform::KeyNames& keys) {
  std::string name = KeyName(code & 0xFFu, keys);
  if (name.empty()) return {};
  std::string text;
  text.reserve(sizeof("Shift+Ctrl+Alt+") + name.size());
  if (code & kShift) text.append("Shift+");
  if (code & kCtrl) text.append("Ctrl+");
  if (code & kAlt) text.append("Alt+");
  text.append(name);
  return text;
}

TShortCut ParseHotkey(std::string_view text, platform::KeyNames& keys) {
  struct Prefix {
    std::string_view text;
    TShortCut bit;
  };
  static constexpr std::array<Prefix, 4> kPrefixes = {
      Prefix{"Shift+", kShift}, Prefix{"^", kCtrl}, Prefix{"Ctrl+", kCtrl}, Prefix{"Alt+", kAlt}};

  TShortCut modifiers = 0;
  for (bool found = true; found;) {
    found = false;
    for (const auto& prefix : kPrefixes) {
      if (StartsWithIgnoringCase(text, prefix.text)) {
        text.remove_prefix(prefix.text.size());
        modifiers |= prefix.bit;
        found = true;
        break;
      }
    }
  }
  if (text.empty()) return 0;

  NameLookup names(keys);
  for (unsigned code = kFirstParsedCode; code <= kLastParsedCode; ++code) {
    const std::string& name = names.Name(code);
    // A match above 255 can only repeat a low byte's name; the code keeps the low byte so that
    // bits 8 to 12 stay clear and the result is a real virtual key.
    if (!name.empty() && EqualsIgnoringCase(name, text))
      return static_cast<TShortCut>((code & 0xFFu) | modifiers);
  }
  return 0;
}

SplitKey SplitHotkey(TShortCut code) {
  SplitKey split;
  split.virtualKey = code & static_cast<TShortCut>(~kModifierBits);
  if (code & kAlt) split.modifiers |= kModAlt;
  if (code & kCtrl) split.modifiers |= kModControl;
  if (code & kShift) split.modifiers |= kModShift;
  return split;
}

std::string CanonicalHotkey(std::string_view text, platform::KeyNames& keys) {
  const TShortCut code = ParseHotkey(text, keys);
  return code == 0 ? std::string() : FormatHotkey(code, keys);
}

}  // namespace bw
