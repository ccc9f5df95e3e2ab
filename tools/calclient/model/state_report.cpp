#include "state_report.h"

#include <string_view>

namespace bw::calclient {

namespace {

void Add(std::string& out, std::string_view name, std::string_view value) {
  out.append(name).append("=").append(value).append("\r\n");
}

std::string Format(Position p) { return std::to_string(p.line + 1) + "," + std::to_string(p.column + 1); }

void AddLines(std::string& out, std::string_view name, const std::string& text) {
  std::size_t start = 0;
  for (;;) {
    const auto end = text.find("\r\n", start);
    Add(out, name, std::string_view(text).substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) break;
    start = end + 2;
  }
}

}  // namespace

std::string FormatState(const ClientState& state, const EditorModel& editor, const LoginForm& login) {
  std::string out;
  Add(out, "sequence", std::to_string(state.sequence));
  Add(out, "mode", state.mode);
  Add(out, "process", state.process);
  // One line, whatever the starter put in it.
  std::string commandLine = state.commandLine;
  for (char& c : commandLine)
    if (c == '\r' || c == '\n') c = ' ';
  Add(out, "command_line", commandLine);
  Add(out, "focus_class", state.focusClass);
  Add(out, "editor_class", state.editorClass);
  Add(out, "editor_caption", state.editorCaption);
  Add(out, "caret", Format(editor.Caret()));
  Add(out, "anchor", editor.HasSelection() ? Format(*editor.Anchor()) : std::string("none"));
  Add(out, "caret_point", std::to_string(state.caretX) + "," + std::to_string(state.caretY));
  Add(out, "keys", std::to_string(state.keys));
  Add(out, "keys_with_modifier", std::to_string(state.keysWithModifier));
  Add(out, "copies", std::to_string(state.copies));
  Add(out, "held_modifiers", state.heldModifiers);
  Add(out, "login", login.LoggedIn() ? "done" : "pending");
  Add(out, "login_field", login.Focused() == LoginField::UserName ? "user" : "password");
  Add(out, "login_user", login.UserName());
  Add(out, "login_password", login.Password());
  Add(out, "enters_after_login", std::to_string(login.EntersAfterLogin()));
  Add(out, "lines", std::to_string(editor.Lines().size()));
  AddLines(out, "text", editor.Text());
  if (editor.HasSelection()) AddLines(out, "selected", editor.SelectedText());
  Add(out, "end", "1");
  return out;
}

}  // namespace bw::calclient
