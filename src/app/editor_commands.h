// The commands of the editor automation as the hotkeys run them.
#pragma once

#include <cstdint>
#include <string>

#include "editor/block_operation.h"

namespace bw {

class EditorCommands {
public:
  virtual ~EditorCommands() = default;
  // The block command on the lines selected in the C/AL editor.
  virtual void BlockCommand(BlockOperation operation) = 0;
  // The Insert Template dialog.
  virtual void OpenInsertTemplate() = 0;
  // Types the text into the focused window (the credentials only into a login dialog).
  virtual void InsertFocusedText(const std::string& text) = 0;
  // Frame of an item hotkey: attaches to the foreground thread and takes its focus window...
  virtual void AttachToForeground() = 0;
  // ...types a template there (drawing locked meanwhile); confirmed when picked from a list...
  virtual void InsertTemplateText(const std::string& text, bool confirmed) = 0;
  // ...and detaches again, letting pending messages run.
  virtual void Detach() = 0;
  // The process of the foreground window when Windows keeps this program's keys from it (it
  // runs elevated and this program does not); 0 when keys reach it.
  virtual std::uint32_t ForegroundOutOfReach() = 0;
};

}  // namespace bw
