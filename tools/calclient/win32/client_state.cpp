// The state report, written on request ("CalClientDumpState") and when the client ends.
#include <cstdio>

#include "client.h"
#include "editor/window_recognition.h"

namespace bw::calclient {

std::string Client::FocusClass() const {
  char name[256] = {};
  const HWND focus = GetFocus();
  if (focus == nullptr || GetClassNameA(focus, name, sizeof name) == 0) return {};
  return name;
}

void Client::WriteState(unsigned long sequence) {
  ClientState state;
  state.sequence = sequence;
  state.mode = frame_.Get() != nullptr ? "editor" : "login";
  state.process = process_;
  state.commandLine = GetCommandLineA();
  state.focusClass = FocusClass();
  state.editorClass = options_.subform ? kEditorClasses[1] : kEditorClasses[0];
  state.editorCaption = options_.caption;
  state.caretX = caretX_;
  state.caretY = caretY_;
  state.keys = keys_;
  state.keysWithModifier = keysWithModifier_;
  state.copies = copies_;
  const HeldModifiers held = Modifiers::Real();
  state.heldModifiers = std::string(held.shift ? "shift " : "") + (held.control ? "ctrl " : "") + (held.alt ? "alt" : "");
  const std::string report = FormatState(state, editor_, login_);
  // Written beside and then moved over the report, so that a reader never sees half of it.
  const std::string partial = options_.stateFile + ".part";
  std::FILE* file = std::fopen(partial.c_str(), "wb");
  if (file == nullptr) return;
  const bool written = std::fwrite(report.data(), 1, report.size(), file) == report.size();
  const bool closed = std::fclose(file) == 0;
  // A report open in the driver at this moment cannot be replaced (Wine refuses to rename over an
  // open file even when it is shared for deletion), and the driver would wait for this sequence
  // in vain: the move is tried again for a while.
  bool moved = false;
  for (int attempt = 0; written && closed && !moved && attempt < 100; ++attempt) {
    moved = MoveFileExA(partial.c_str(), options_.stateFile.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
    if (!moved) Sleep(10);
  }
  log_.Note("state " + std::to_string(sequence) + (moved ? " written" : " not written"));
}

}  // namespace bw::calclient
