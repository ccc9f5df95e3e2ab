// The Navision client's argument text and the name of its per-configuration settings file.
#pragma once

#include <string>
#include <string_view>

#include "platform/screen.h"
#include "settings/storage.h"

namespace bw {

// The primary screen as the client sees it: the client is unaware of DPI, so Windows shows it a
// screen of 96-DPI pixels (1280 by 720 for 1920 by 1080 at 150 %). Its settings files carry
// that size, whatever the display's scaling.
platform::ScreenSize ClientScreenSize(platform::Screen& screen);

// ZupDir + the name part (ZupFileNamePart) + "(" width "x" height ").zup"; zupDir is used as stored (it ends with a delimiter).
std::string ZupFilePath(std::string_view zupDir, std::string_view configName, platform::ScreenSize screen);

// The whole argument text: "id=<zup file>", the connection pieces, company and authentication,
// then for the SQL client the development environment's pieces and the user's additional
// arguments, each piece after a comma. A value that holds a comma is given in double quotes.
std::string ClientArguments(const TConfigStorage& config, std::string_view zupDir, platform::ScreenSize screen);

// User name, CR LF, password, CR LF, CR LF: what the credentials hotkey types into the login dialog.
std::string CredentialsText(std::string_view userName, std::string_view password);

}  // namespace bw
