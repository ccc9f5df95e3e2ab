#include "settings/hotkey_field.h"

namespace bw {

void HotkeyField::Show(TShortCut code) { text_ = code == 0 ? std::string() : FormatHotkey(code, keys_); }

void HotkeyField::LoseFocus() { text_ = CanonicalHotkey(text_, keys_); }

Rgb HotkeyField::TextColour() const { return Code() != 0 ? kHotkeyTextColour : kBadHotkeyTextColour; }

}  // namespace bw
