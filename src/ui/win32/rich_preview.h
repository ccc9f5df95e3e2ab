// The read-only rich-text view that shows a template with its tags in red.
#pragma once

#include <windows.h>

#include <string_view>

namespace bw::ui {

// The window class of the rich edit control, its library loaded once for the process:
// "RICHEDIT50W" (Msftedit.dll), else "RichEdit20A" (Riched20.dll); null when neither loads.
const char* RichEditClass();

// Shows the template text: every character in the window-text colour, each tag red
// (RGB 255, 0, 0), the caret at the start with nothing selected. Drawn once, at the end.
void ShowTemplatePreview(HWND view, std::string_view templateText);

}  // namespace bw::ui
