#include "launch/client_start.h"

#include "launch/client_command_line.h"
#include "launch/shell_start.h"
#include "settings/protected_password.h"

namespace bw {

bool StartClient(const TConfigStorage& config, std::string_view zupDir, LaunchPlatform& platform,
                 std::string& credentialsText) {
  if (config.IsSubMenu) return false;
  const std::string arguments = ClientArguments(config, zupDir, ClientScreenSize(platform.screen));
  if (!config.Username.empty()) {
    const ClearPassword password(config.Password, platform.protection);
    WipeText(credentialsText);
    credentialsText = CredentialsText(config.Username, password.Text());
  }
  return ShellStart(platform.shell, Unquoted(config.ExecutablePath), arguments);
}

}  // namespace bw
