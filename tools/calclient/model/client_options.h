// The test client's command line.
//   /subform          the editor's window class is "C/SIDE Subform" instead of "C/SIDE Form"
//   /login            start with the login dialog; the editor opens after the login
//   /text=FILE        the editor's initial text
//   /caret=L,C        the initial caret, line and column from 1
//   /anchor=L,C       the initial selection anchor (the selection runs from it to the caret)
//   /caption=TEXT     the editor's caption (default: a codeunit's "C/AL Editor")
//   /state=FILE       where the state report is written (default: the temporary folder)
//   /log=FILE         where every received message is logged (default: the temporary folder)
//   /logall           log also painting, mouse movement and the like
//   id=...,servername=...  (any argument without a leading "/") the argument text Brackwater
//                     starts a real client with: taken, and reported as it came, not acted on
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "editor_model.h"

namespace bw::calclient {

inline constexpr const char* kDefaultEditorCaption = "Codeunit 50000 Brackwater Test - C/AL Editor";

struct ClientOptions {
  bool subform = false;
  bool login = false;
  bool logAll = false;
  std::string textFile;
  std::optional<Position> caret;   // from 0
  std::optional<Position> anchor;  // from 0
  std::string caption = kDefaultEditorCaption;
  std::string stateFile;
  std::string logFile;
  std::string clientArguments;  // the arguments without a leading "/", joined by blanks
};

// The arguments without the program name. Empty result with an explanation for a wrong one.
std::optional<ClientOptions> ParseClientOptions(const std::vector<std::string>& arguments, std::string& error);

}  // namespace bw::calclient
