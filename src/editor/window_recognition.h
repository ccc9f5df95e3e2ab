// Recognition of the Navision client's C/AL editor and login dialog by their windows.
#pragma once

#include <string_view>

#include "platform/desktop.h"

namespace bw {

// The class names and caption mark of the client's windows (compared lower-cased).
inline constexpr std::string_view kEditorClass = "c/side form";
inline constexpr std::string_view kEditorSubformClass = "c/side subform";
inline constexpr std::string_view kEditorCaptionMark = "c/al";
inline constexpr std::string_view kLoginFieldClass = "c/side glued";

// Class names and captions are compared on at most this many characters.
inline constexpr std::size_t kWindowTextLimit = 255;

// True when the window is a C/AL editor: class "c/side form" or "c/side subform" and a
// caption containing "c/al", letter case aside. The process id is not consulted.
bool IsCalEditor(platform::Desktop& desktop, platform::WindowId window, platform::ProcessId process);

// True when the window is the client's login field: class "c/side glued" in a process whose
// executable (path removed) is fin.exe or finsql.exe, letter case aside.
bool IsLoginDialog(platform::Desktop& desktop, platform::WindowId window, platform::ProcessId process);

}  // namespace bw
