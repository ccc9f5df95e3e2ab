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
#include "program/program_platform.h"

namespace bw::win32 {

class Win32EditorCommands final : public EditorCommands {
public:
  explicit Win32EditorCommands(ProgramPlatform& platform);
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
  platform::Desktop& desktop_;
  platform::Keyboard& keyboard_;
  platform::UserInput& input_;
  platform::Clock& clock_;
  platform::Clipboard& clipboard_;
  platform::LocalTime& localTime_;
  platform::Locale& locale_;
  platform::KeyNames& keyNames_;
  std::unique_ptr<VariableAsker> asker_;
  AppCore* core_ = nullptr;
  HWND owner_ = nullptr;
  // The frame of the item hotkey being handled.
  std::optional<bw::AttachToForeground> frame_;
};

}  // namespace bw::win32
