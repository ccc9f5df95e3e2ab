// The test client's record of every message its windows receive, one line each, so that a
// wrong key sequence can be read back. Painting, mouse movement and similar chatter is left
// out unless asked for.
#pragma once

#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

#include "modifiers.h"

namespace bw::calclient {

class MessageLog {
public:
  MessageLog(const std::string& path, bool everything);
  // role names the window: "frame", "editor", "login", "glued", "thread".
  void Record(const char* role, UINT message, WPARAM wParam, LPARAM lParam);
  void Note(const std::string& text);

private:
  struct Closer {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };
  std::unique_ptr<std::FILE, Closer> file_;
  bool everything_;
  unsigned long count_ = 0;
};

// "WM_KEYDOWN", a registered message's name, or the number in hex.
std::string MessageName(UINT message);

}  // namespace bw::calclient
