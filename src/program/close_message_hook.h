// "CloseBrackwater" ends the program wherever the posted message is taken from the queue: by the
// main loop, a dialog's or message box's own loop, the tray menu's loop or a pump while typing.
// A hook on the user-interface thread sees every posted message as it is removed; sent messages
// never pass it, so a sent "CloseBrackwater" has no effect.
#pragma once

#include <windows.h>

#include "platform/win32/unique_resource.h"

namespace bw::win32 {

class CloseMessageHook {
public:
  explicit CloseMessageHook(UINT closeMessage);
  CloseMessageHook(const CloseMessageHook&) = delete;
  CloseMessageHook& operator=(const CloseMessageHook&) = delete;

private:
  static LRESULT CALLBACK OnMessage(int code, WPARAM removal, LPARAM message);

  static inline UINT closeMessage_ = 0;
  platform::UniqueHook hook_;
};

}  // namespace bw::win32
