#include "launch/client_command_line.h"

#include "launch/zup_files.h"

namespace bw {

namespace {

constexpr std::int32_t kNoPort = -1;

// A stored port outside 1..65535 would give the client a server address it cannot use: -1 is
// what the dialog stores for an empty field, and files from elsewhere may hold 0 or anything.
bool HasPort(std::int32_t port) { return port != kNoPort && port > 0 && port <= 65535; }

void AddPiece(std::string& text, std::string_view piece) {
  text += ',';
  text += piece;
}

}  // namespace

platform::ScreenSize ClientScreenSize(platform::Screen& screen) {
  const platform::ScreenSize own = screen.PrimarySize();
  const int dpi = screen.SystemDpi();
  return {platform::ScalePixels(own.width, platform::kDefaultDpi, dpi),
          platform::ScalePixels(own.height, platform::kDefaultDpi, dpi)};
}

std::string ZupFilePath(std::string_view zupDir, std::string_view configName, platform::ScreenSize screen) {
  std::string path(zupDir);
  path += ZupFileNamePart(configName);
  path += '(' + std::to_string(screen.width) + 'x' + std::to_string(screen.height) + ").zup";
  return path;
}

std::string ClientArguments(const TConfigStorage& config, std::string_view zupDir, platform::ScreenSize screen) {
  std::string text = "id=" + ZupFilePath(zupDir, config.ConfigName, screen);

  if (!config.IsNative) {
    AddPiece(text, "servername=" + config.Server);
    AddPiece(text, "database=" + config.Database);
  } else if (config.UseServer) {
    if (!config.Server.empty()) {
      std::string server = "servername=" + config.Server;
      if (HasPort(config.Port)) server += ':' + std::to_string(config.Port);
      AddPiece(text, server + ",nettype=" + config.NetType);
    }
  } else if (!config.Database.empty()) {
    AddPiece(text, "database=" + config.Database);
  }

  if (!config.Company.empty()) AddPiece(text, "company=" + config.Company);

  if (config.UseNTAuthentication)
    AddPiece(text, "ntauthentication=1");
  else if (!config.IsNative)
    AddPiece(text, "ntauthentication=0");
  return text;
}

std::string CredentialsText(std::string_view userName, std::string_view password) {
  std::string text(userName);
  text += "\r\n";
  text += password;
  text += "\r\n\r\n";
  return text;
}

}  // namespace bw
