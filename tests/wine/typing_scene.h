// What the cases that type a long template while a script presses real keys share
// (input_swallow_wcase, typing_stop_wcase): the handshake files, the settings with the template
// on Shift+Ctrl+T, and the start of the run.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "client_session.h"

namespace bw::wintest {

inline void Touch(const std::string& path) {
  if (std::FILE* file = std::fopen(path.c_str(), "wb")) std::fclose(file);
}

// "x := x + 1;" up to "x := x + N;", one a line.
inline std::string CountingLines(int lines) {
  std::string text;
  for (int line = 1; line <= lines; ++line)
    text += (line > 1 ? "\r\n" : "") + std::string("x := x + ") + std::to_string(line) + ";";
  return text;
}

// Settings with the reserved variables set (so no question comes before the typing) and the
// template on Shift+Ctrl+T.
// `newLinePauseMs` sets how long the run takes: a scene whose script must press its keys while
// the run goes on slows it down, so that a slow machine still has the keys come in time.
inline void WriteTemplateOnT(ConfigFolder& config, const std::string& text, std::int32_t newLinePauseMs = 150) {
  config.Write([&](TStorage& root) {
    auto& general = General(root);
    general.NewLinePause = newLinePauseMs;
    general.Author = "Ann Lee";
    general.Initials = "AL";
    general.Company = "Acme";
    auto record = std::make_unique<TCommentStorage>();
    record->CommentName = "Long";
    record->Comment = text;
    record->Hotkey = 0x2000 | 0x4000 | 'T';
    TemplatesFolder(root).AddChild(std::move(record));
  });
}

// The client in front and Shift+Ctrl+T pressed; the question's text, or "<no box>".
inline std::string PressTemplateKey(Brackwater& program, Client& client) {
  if (!BringToFront(client.process->TopWindow())) return "<client not in front>";
  PressHotkey('T');
  return Answer(program, "Confirm", IDYES);
}

// True once the editor shows the template's second line: the run is under way.
inline bool TypingBegun(Client& client) {
  return WaitFor([&] { return client.State().Text().find("x := x + 2;") != std::string::npos; }, 10000);
}

}  // namespace bw::wintest
