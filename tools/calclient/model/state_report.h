// The state report the test client writes on request and when it ends: one "name=value" line
// each, the editor's lines as "text=" lines and the selection's lines as "selected=" lines.
// Lines and columns count from 1.
#pragma once

#include <string>

#include "editor_model.h"
#include "login_form.h"

namespace bw::calclient {

struct ClientState {
  unsigned long sequence = 0;  // the number the request carried; 0 for the report at the end
  std::string mode;            // "editor" or "login"
  std::string process;         // the executable's file name
  std::string focusClass;      // window class of the window that holds the focus, if ours
  std::string editorClass;
  std::string editorCaption;
  int caretX = 0;  // the caret's point in the editor's client coordinates
  int caretY = 0;
  unsigned long keys = 0;               // key and character messages handled
  unsigned long keysWithModifier = 0;   // ... of which were read with Shift, Ctrl or Alt held
  unsigned long copies = 0;             // copy chords that put text on the clipboard
  std::string heldModifiers;            // what GetKeyState reports now: "shift ctrl alt" subset
  std::string commandLine;              // the whole command line the client was started with
};

std::string FormatState(const ClientState& state, const EditorModel& editor, const LoginForm& login);

}  // namespace bw::calclient
