#include "program/editor_commands.h"

#include "editor/block_command.h"
#include "editor/focused_text.h"
#include "editor/input_guard.h"
#include "editor/typing_pace.h"
#include "platform/win32/win32_elevation.h"
#include "ui/win32/frm_ask_var.h"
#include "ui/win32/frm_insert_template.h"

namespace bw::win32 {

Win32EditorCommands::Win32EditorCommands(ProgramPlatform& platform)
    : messages_(platform.messages),
      desktop_(platform.desktop),
      keyboard_(platform.keyboard),
      input_(platform.commandInput),
      clock_(platform.clock),
      clipboard_(platform.clipboard),
      localTime_(platform.localTime),
      locale_(platform.locale),
      keyNames_(platform.keyNames),
      asker_(std::make_unique<ui::TfrmAskVar>()) {}

Win32EditorCommands::~Win32EditorCommands() = default;

void Win32EditorCommands::Connect(AppCore& core, HWND owner) {
  core_ = &core;
  owner_ = owner;
}

InsertionContext Win32EditorCommands::Insertion() {
  AppCore& core = *core_;
  return {keyboard_,
          input_,
          clock_,
          messages_,
          {General(core.Root()).VarList, *asker_, localTime_, locale_},
          core.CredentialsText(),
          [core = core_](std::string_view text) { core->SetLastTemplateText(std::string(text)); },
          PaceOf(General(core.Root()))};
}

void Win32EditorCommands::BlockCommand(BlockOperation operation) {
  if (core_ == nullptr) return;
  bw::BlockCommand({desktop_, keyboard_, input_, clipboard_, clock_, messages_, PaceOf(General(core_->Root()))},
                   operation);
}

void Win32EditorCommands::OpenInsertTemplate() {
  if (core_ == nullptr) return;
  bw::AttachToForeground frame(desktop_, clock_);
  if (!frame) return;
  TStorage& root = core_->Root();
  const auto chosen = ui::RunInsertTemplateDialog(owner_, root, keyNames_);
  const TStorage& templates = TemplatesFolder(root);
  if (!chosen || *chosen < 0 || *chosen >= templates.ChildCount()) return;
  // A copy: the text must not change under the typing.
  const std::string text = Template(root, *chosen).Comment;
  DrawingLock lock(input_, frame.Focus());
  bw::InsertTemplateText(Insertion(), frame.Focus(), text, true);
}

void Win32EditorCommands::InsertFocusedText(const std::string& text) {
  if (core_ == nullptr) return;
  bw::InsertFocusedText(Insertion(), desktop_, text);
}

void Win32EditorCommands::AttachToForeground() {
  frame_.reset();
  frame_.emplace(desktop_, clock_);
}

void Win32EditorCommands::InsertTemplateText(const std::string& text, bool confirmed) {
  // Attaching failed: the command does nothing at all.
  if (core_ == nullptr || !frame_ || !*frame_) return;
  DrawingLock lock(input_, frame_->Focus());
  bw::InsertTemplateText(Insertion(), frame_->Focus(), text, confirmed);
}

void Win32EditorCommands::Detach() { frame_.reset(); }

std::uint32_t Win32EditorCommands::ForegroundOutOfReach() {
  const platform::ProcessId process = desktop_.OwnerOf(desktop_.ForegroundWindow()).process;
  return platform::OutOfReach(process) ? process : 0;
}

}  // namespace bw::win32
