#include "watcher/key_report.h"

#include "watcher/watcher_api.h"

namespace bw::watcher {

namespace {
constexpr std::uint32_t kVkShift = 0x10, kVkControl = 0x11, kVkMenu = 0x12;
constexpr std::uint32_t kLeftShift = 0xA0, kRightShift = 0xA1;
constexpr std::uint32_t kLeftControl = 0xA2, kRightControl = 0xA3;
constexpr std::uint32_t kLeftMenu = 0xA4, kRightMenu = 0xA5;
}  // namespace

std::uint32_t MessageVirtualKey(std::uint32_t lowLevelKey) {
  switch (lowLevelKey) {
    case kLeftShift:
    case kRightShift: return kVkShift;
    case kLeftControl:
    case kRightControl: return kVkControl;
    case kLeftMenu:
    case kRightMenu: return kVkMenu;
    default: return lowLevelKey & 0xFFu;
  }
}

std::uint32_t KeyMessageFlags(const LowLevelKey& key, bool wasDown) {
  std::uint32_t flags = 1u;  // repeat count
  flags |= (key.scanCode & 0xFFu) << KeyFlags::ScanCodeShift;
  if (key.extended) flags |= KeyFlags::Extended;
  if (key.altDown) flags |= KeyFlags::AltDown;
  // A release always comes from a key that was down.
  if (wasDown || key.released) flags |= KeyFlags::WasDown;
  if (key.released) flags |= KeyFlags::Released;
  return flags;
}

bool KeyDownTable::Record(const LowLevelKey& key) {
  const std::size_t index = key.virtualKey & 0xFFu;
  const bool wasDown = down_.test(index);
  down_.set(index, !key.released);
  return wasDown;
}

}  // namespace bw::watcher
