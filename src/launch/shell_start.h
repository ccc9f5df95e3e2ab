// The one way the program starts other programs, documents and web addresses.
#pragma once

#include <string>
#include <string_view>

#include "platform/shell.h"

namespace bw {

// The folder part of a file text: up to and including its last '\', '/' or ':';
// empty when there is none or the text is a web address.
std::string WorkingFolder(std::string_view file);

// Starts `file` with `parameters` through the shell: environment variables in the file are
// expanded (never in the parameters), the working folder is the expanded file's folder,
// no error dialog is shown and nobody waits. True when the shell accepted the request.
bool ShellStart(platform::Shell& shell, std::string_view file, std::string_view parameters);

// Opens a web address in the user's browser; "http://" is put in front when the text holds
// no "http://" (nor "https://"). An empty text does nothing.
bool OpenWebAddress(platform::Shell& shell, std::string_view address);

// An executable path as the user may have typed it, with every double quote removed.
std::string Unquoted(std::string_view path);

}  // namespace bw
