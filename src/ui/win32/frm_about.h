// TfrmAbout: the about box with the program's identity from its version resource, and the
// "What's new..." window with the release history.
#pragma once

#include <windows.h>

#include "platform/shell.h"
#include "settings/storage.h"
#include "ui/about_box.h"

namespace bw::ui {

// Control ids of the about box.
namespace about_ids {
inline constexpr int kImage = 100, kApplicationName = 101, kVersion = 102, kCompany = 103, kBevel = 104,
                     kCopyright = 105, kInternet = 106, kWhatsNewButton = 107;
inline constexpr int kMemo = 100;  // the what's-new window's text
}  // namespace about_ids

// Shows the about box modally: the texts, the program's icon (not owned), the link label
// opening `texts.internet`, and "What's New" when the history holds some text.
void ShowAboutBox(HWND owner, const AboutTexts& texts, HICON icon, const StringList& whatsNew, platform::Shell& shell);

// The release history in a read-only, slightly transparent window, shown modally.
void ShowWhatsNew(HWND owner, const StringList& lines);

}  // namespace bw::ui
