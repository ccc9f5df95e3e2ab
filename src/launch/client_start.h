// Starting a Navision client for one configuration.
#pragma once

#include <string>
#include <string_view>

#include "platform/screen.h"
#include "platform/secret_protection.h"
#include "platform/shell.h"
#include "settings/storage.h"

namespace bw {

struct LaunchPlatform {
  platform::Shell& shell;
  platform::Screen& screen;
  platform::SecretProtection& protection;  // opens a protected password for the credentials
};

// Builds the argument text for the screen size of this moment (as the client sees it) and starts ExecutablePath with it.
// A configuration with a user name replaces credentialsText first; one without leaves it. A
// protected password is opened only for that text; one that does not open counts as empty.
// Folder records start nothing. Failures of the shell are not reported: the result is whether
// the shell accepted the request.
bool StartClient(const TConfigStorage& config, std::string_view zupDir, LaunchPlatform& platform,
                 std::string& credentialsText);

}  // namespace bw
