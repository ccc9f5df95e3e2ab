// Key translation with the foreground thread's keyboard layout and the modifiers held now
// (GetAsyncKeyState). The key state of the foreground thread itself lags behind a key
// reported by the watcher (its messages are still queued), and attaching to it on every key
// would disturb it; the system-wide state of the modifiers is current. The character comes
// from a table of the layout (LayoutChars), built again only when the layout changes: the
// system's own translation would consume a dead key the user is typing.
#pragma once

#include <cstdint>

#include "platform/key_translation.h"
#include "platform/layout_chars.h"

namespace bw::platform {

class Win32KeyTranslation final : public KeyTranslation {
public:
  std::string Translate(std::uint32_t virtualKey, std::uint32_t scanCode) override;
  Modifiers StateModifiers() override;

private:
  std::uintptr_t layout_ = 0;  // the HKL the table was built for; 0 before the first key
  LayoutChars table_;
};

}  // namespace bw::platform
