// Key translation with the foreground thread's keyboard layout and the modifiers held now
// (GetAsyncKeyState, ToAsciiEx). The key state of the foreground thread itself lags behind a
// key reported by the watcher (its messages are still queued), and attaching to it on every
// key would disturb it; the system-wide state of the modifiers is current.
#pragma once

#include "platform/key_translation.h"

namespace bw::platform {

class Win32KeyTranslation final : public KeyTranslation {
public:
  std::string Translate(std::uint32_t virtualKey, std::uint32_t scanCode) override;
  Modifiers StateModifiers() override;
};

}  // namespace bw::platform
