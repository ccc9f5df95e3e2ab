#include "program/close_message_hook.h"

namespace bw::win32 {

CloseMessageHook::CloseMessageHook(UINT closeMessage) {
  closeMessage_ = closeMessage;
  hook_.Reset(SetWindowsHookExA(WH_GETMESSAGE, &CloseMessageHook::OnMessage, nullptr, GetCurrentThreadId()));
}

LRESULT CALLBACK CloseMessageHook::OnMessage(int code, WPARAM removal, LPARAM message) {
  const auto* posted = reinterpret_cast<const MSG*>(message);
  if (code == HC_ACTION && removal == PM_REMOVE && posted != nullptr && closeMessage_ != 0 &&
      posted->message == closeMessage_) {
    // Every modal loop ends on the quit message and hands it on outwards to the main loop,
    // which ends the program through the normal shutdown. An open menu is closed first.
    EndMenu();
    PostQuitMessage(0);
  }
  return CallNextHookEx(nullptr, code, removal, message);
}

}  // namespace bw::win32
