// Puts text on the clipboard (CF_TEXT).
#pragma once

#include <windows.h>

#include <string>

namespace bw::calclient {

// False when the clipboard stays held by another program for a few tries.
bool PutClipboardText(HWND owner, const std::string& text);

}  // namespace bw::calclient
