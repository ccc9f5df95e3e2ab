// The Windows services of the tray program, built once at its start (WinMain) and handed down by
// reference to the main window, the editor commands and code completion. Nothing below the
// program's start constructs a platform service of its own, except those bound to one window
// (the hotkey registrar, a folder dialog's owner).
#pragma once

#include "platform/win32/win32_clipboard.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_environment.h"
#include "platform/win32/win32_file_dialogs.h"
#include "platform/win32/win32_file_listing.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_file_versions.h"
#include "platform/win32/win32_key_names.h"
#include "platform/win32/win32_key_translation.h"
#include "platform/win32/win32_keyboard.h"
#include "platform/win32/win32_local_time.h"
#include "platform/win32/win32_locale.h"
#include "platform/win32/win32_messages.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_resources.h"
#include "platform/win32/win32_screen.h"
#include "platform/win32/win32_secret_protection.h"
#include "platform/win32/win32_service_ports.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_user_input.h"

namespace bw::win32 {

struct ProgramPlatform {
  platform::Win32Environment environment;
  platform::Win32Registry registry;
  platform::Win32FileSystem files;
  platform::Win32FileListing fileListing;
  platform::Win32FileDialogs fileDialogs;
  platform::Win32FileVersions fileVersions;
  platform::Win32Messages messages;
  platform::Win32KeyNames keyNames;
  platform::Win32Shell shell;
  platform::Win32Screen screen;
  platform::Win32ServicePorts servicePorts;
  platform::Win32Resources resources;
  platform::Win32Desktop desktop;
  platform::Win32Keyboard keyboard;
  platform::Win32KeyTranslation keyTranslation;
  platform::Win32Clock clock;
  platform::Win32LocalTime localTime;
  platform::Win32Locale locale;
  platform::Win32SecretProtection protection;
  // Owned by a hidden window of the thread that builds it: the user-interface thread.
  platform::Win32Clipboard clipboard;
  // An input block belongs to the one who set it, so each typing path has its own: the editor
  // commands on the user-interface thread, and completion's worker that types a chosen word.
  platform::Win32UserInput commandInput;
  platform::Win32UserInput completionInput;
};

}  // namespace bw::win32
