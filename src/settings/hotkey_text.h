// Hotkey codes (TShortCut) and their text form.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/key_names.h"
#include "settings/storage.h"

namespace bw {

using TShortCut = std::uint16_t;

inline constexpr TShortCut kShift = 0x2000;
inline constexpr TShortCut kCtrl = 0x4000;
inline constexpr TShortCut kAlt = 0x8000;

inline constexpr unsigned kModAlt = 1;
inline constexpr unsigned kModControl = 2;
inline constexpr unsigned kModShift = 4;

struct SplitKey {
  unsigned virtualKey = 0;
  unsigned modifiers = 0;  // kModAlt | kModControl | kModShift
};

std::string KeyName(unsigned virtualKey, platform::KeyNames& keys);
// The hotkey code stored in an item record: 0 (no hotkey) for 0 and for stored values that are
// no 16-bit hotkey code. Lists, menus, exchange files, dialogs and registration all read it so.
inline TShortCut ItemShortcut(std::int32_t stored) {
  return (stored > 0 && stored <= 0xFFFF) ? static_cast<TShortCut>(stored) : TShortCut{0};
}

std::string FormatHotkey(TShortCut code, platform::KeyNames& keys);
TShortCut ParseHotkey(std::string_view text, platform::KeyNames& keys);
SplitKey SplitHotkey(TShortCut code);
// FormatHotkey(ParseHotkey(text)): fixed prefix order and capitalisation, short key names.
std::string CanonicalHotkey(std::string_view text, platform::KeyNames& keys);

// Sets or clears a template's duplicate mark against the other templates of the folder.
void MarkDuplicateHotkey(TCommentStorage& item, const TStorage& templatesFolder);

// Brings settings without a format version up to "1.1".
void UpgradeLegacySettings(TStorage& root, platform::KeyNames& keys);

}  // namespace bw
