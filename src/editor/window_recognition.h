// Recognition of the Navision client's C/AL editor and login dialog by their windows.
#pragma once

#include <array>
#include <string_view>

#include "platform/desktop.h"

namespace bw {

// The window classes of the client's C/AL editor and login field, spelt as the client registers
// them; class names are compared without regard to (ASCII) case. Recognition, the list handed to
// the keyboard watcher and the client test double all take them from here, so a class added
// here is recognised, watched and offered by the test double at once. (Literals: each view's
// data() ends in a NUL.)
inline constexpr std::array<std::string_view, 2> kEditorClasses = {"C/SIDE Form", "C/SIDE Subform"};
inline constexpr std::string_view kLoginFieldClass = "C/SIDE Glued";
// What an editor's caption contains (compared lower-cased).
inline constexpr std::string_view kEditorCaptionMark = "c/al";

// Class names and captions are compared on at most this many characters.
inline constexpr std::size_t kWindowTextLimit = 255;

// True when the class name is one of kEditorClasses, letter case aside.
bool IsEditorClass(std::string_view className);

// True when the window is a C/AL editor: a class of kEditorClasses and a caption containing
// "c/al", letter case aside. The process id is not consulted.
bool IsCalEditor(platform::Desktop& desktop, platform::WindowId window, platform::ProcessId process);

// True when the window is the client's login field: class "C/SIDE Glued" in a process whose
// executable (path removed) is fin.exe or finsql.exe, letter case aside.
bool IsLoginDialog(platform::Desktop& desktop, platform::WindowId window, platform::ProcessId process);

}  // namespace bw
