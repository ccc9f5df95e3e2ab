// Process entry: one instance per user, the invisible main form, the main window, and the
// message loop with the application-wide filter for the messages between instances.
#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "program/app_title.h"
#include "program/close_message_hook.h"
#include "program/invisible_form.h"
#include "program/main_form.h"
#include "program/single_instance.h"
#include "program/program_platform.h"
#include "platform/win32/com_apartment.h"

namespace {

std::string ProgramFile() {
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  return std::string(path, length);
}

int RunMessageLoop(bw::win32::MainForm& form) {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (form.PreviewKey(message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  const bw::win32::SingleInstance single(bw::win32::InstanceMutexName(bw::win32::ApplicationTitle(ProgramFile())));
  if (!single.IsFirst()) {
    bw::win32::NotifyRunningInstance();
    return 0;
  }

  // Once for the whole run, on the thread that starts documents and addresses; it outlives the
  // windows below. Without COM the program still runs: only some shell handlers fail.
  const bw::platform::ComApartment com;
  INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES |
                                                                    ICC_TREEVIEW_CLASSES};
  InitCommonControlsEx(&controls);

  // Before any window exists: a message box of the start-up already ends on "CloseBrackwater".
  const bw::win32::CloseMessageHook closeHook(bw::win32::RegisteredMessages{}.close);
  // Every platform service of the run, built here once; the windows below only borrow them.
  bw::win32::ProgramPlatform platform;
  std::unique_ptr<bw::win32::MainForm> form;
  bw::win32::InvisibleForm invisible(instance, [&form] {
    if (form) form->HideToTray();
  });
  form = std::make_unique<bw::win32::MainForm>(instance, platform);
  const int exitCode = RunMessageLoop(*form);
  form.reset();  // shutdown: save, hotkeys, watcher, tray icon
  return exitCode;
}
