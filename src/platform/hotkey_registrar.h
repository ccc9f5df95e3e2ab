// System-wide hotkeys, registered for the program's main window.
#pragma once

namespace bw::platform {

class HotkeyRegistrar {
public:
  virtual ~HotkeyRegistrar() = default;
  // Registers virtualKey with the modifier mask (Alt 1, Ctrl 2, Shift 4) under id.
  // False when the platform refuses it, for example because another program holds the key.
  virtual bool Register(int id, unsigned modifiers, unsigned virtualKey) = 0;
  // Unregistering an id that is not registered is harmless.
  virtual void Unregister(int id) = 0;
};

}  // namespace bw::platform
