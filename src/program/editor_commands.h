// The editor commands of the tray program over the Windows desktop: the block commands, the
// Insert Template dialog, the repeat-last and credentials hotkeys, and the frame of an item
// hotkey that types a template. The logic is the editor automation's; this class only hands it
// the Windows services, the settings and the main window's texts.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "app/app_core.h"
#include "editor/attach_to_foreground.h"
#include "editor/template_insertion.h"
#include "editor/variable_asker.h"
#include "platform/messages.h"
#include "platform/win32/win32_clipboard.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_keyboard.h"
#include "platform/win32/win32_local_time.h"
#include "platform/win32/win32_locale.h"
#include "platform/win32/win32_user_input.h"

namespace bw::win32 {

class Win32EditorCommands final : public EditorCommands {
public:
  explicit Win32EditorCommands(platform::Messages& messages);
  ~Win32EditorCommands() override;
  Win32EditorCommands(const Win32EditorCommands&) = delete;
  Win32EditorCommands& operator=(const Win32EditorCommands&) = delete;

  // The core whose settings and texts the commands use, and the window that owns the dialogs.
  // Until it is connected every command does nothing.
  void Connect(AppCore& core, HWND owner);

  void BlockCommand(BlockOperation operation) override;
  void OpenInsertTemplate() override;
  void InsertFocusedText(const std::string& text) override;
  void AttachToForeground() override;
  void InsertTemplateText(const std::string& text, bool confirmed) override;
  void Detach() override;
  std::uint32_t ForegroundOutOfReach() override;

private:
  InsertionContext Insertion();

  platform::Messages& messages_;
  platform::Win32Desktop desktop_;
  platform::Win32Keyboard keyboard_;
  platform::Win32UserInput input_;
  platform::Win32Clock clock_;
  platform::Win32Clipboard clipboard_;
  platform::Win32LocalTime localTime_;
  platform::Win32Locale locale_;
  std::unique_ptr<VariableAsker> asker_;
  AppCore* core_ = nullptr;
  HWND owner_ = nullptr;
  // The frame of the item hotkey being handled.
  std::optional<bw::AttachToForeground> frame_;
};

}  // namespace bw::win32
