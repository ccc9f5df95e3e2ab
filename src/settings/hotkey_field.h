// The logic of a hotkey edit box, shared by the template editor and the item dialogs.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/key_names.h"
#include "settings/hotkey_text.h"

namespace bw {

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kHotkeyTextColour{0, 0, 0};
inline constexpr Rgb kBadHotkeyTextColour{255, 0, 0};

class HotkeyField {
public:
  explicit HotkeyField(platform::KeyNames& keys) : keys_(keys) {}

  // Shows a stored code: its text, or nothing for 0.
  void Show(TShortCut code);
  // The user changed the text.
  void Change(std::string_view text) { text_ = text; }
  // Leaving the field: the text becomes its canonical form, or empty when it names no key.
  void LoseFocus();

  const std::string& Text() const { return text_; }
  // Black while the text names a key, red otherwise.
  Rgb TextColour() const;
  // The code the dialog stores (0 for a text that names no key).
  TShortCut Code() const { return ParseHotkey(text_, keys_); }

private:
  platform::KeyNames& keys_;
  std::string text_;
};

}  // namespace bw
