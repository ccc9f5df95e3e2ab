#include "launch/client_command_line.h"

#include "launch/zup_files.h"

namespace bw {

namespace {

constexpr std::int32_t kNoPort = -1;

// A stored port outside 1..65535 would give the client a server address it cannot use: -1 is
// what the dialog stores for an empty field, and files from elsewhere may hold 0 or anything.
bool HasPort(std::int32_t port) { return port != kNoPort && port > 0 && port <= 65535; }

// The client splits its argument text at commas, so a value that holds one is given in double
// quotes; any other value goes as it is.
std::string ArgumentValue(std::string_view value) {
  if (value.find(',') == std::string_view::npos) return std::string(value);
  std::string quoted = "\"";
  quoted += value;
  quoted += '"';
  return quoted;
}

void AddPiece(std::string& text, std::string_view name, std::string_view value) {
  text += ',';
  text += name;
  text += '=';
  text += ArgumentValue(value);
}

void AddIfSet(std::string& text, std::string_view name, std::string_view value) {
  if (!value.empty()) AddPiece(text, name, value);
}

// The user's own pieces, as typed; blanks and commas round them would only give the client
// empty pieces.
std::string_view TrimmedArguments(std::string_view text) {
  constexpr std::string_view kEdge = " \t\r\n,";
  const auto first = text.find_first_not_of(kEdge);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kEdge) - first + 1);
}

// The development environment's pieces (NAV 2013 and later), in a fixed order after the others.
void AddDevelopmentPieces(std::string& text, const TConfigStorage& config) {
  AddIfSet(text, "navservername", config.NavServerName);
  AddIfSet(text, "navserverinstance", config.NavServerInstance);
  if (HasPort(config.NavServerManagementPort))
    AddPiece(text, "navservermanagementport", std::to_string(config.NavServerManagementPort));
  AddIfSet(text, "tenant", config.Tenant);
  if (config.UseOldEditor) AddPiece(text, "useoldeditor", "yes");
  if (config.GenerateSymbolReference) AddPiece(text, "generatesymbolreference", "yes");
  const auto additional = TrimmedArguments(config.AdditionalArguments);
  if (!additional.empty()) {
    text += ',';
    text += additional;
  }
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
  std::string text = "id=" + ArgumentValue(ZupFilePath(zupDir, config.ConfigName, screen));

  if (!config.IsNative) {
    AddPiece(text, "servername", config.Server);
    AddPiece(text, "database", config.Database);
  } else if (config.UseServer) {
    if (!config.Server.empty()) {
      std::string server = config.Server;
      if (HasPort(config.Port)) server += ':' + std::to_string(config.Port);
      AddPiece(text, "servername", server);
      AddPiece(text, "nettype", config.NetType);
    }
  } else if (!config.Database.empty()) {
    AddPiece(text, "database", config.Database);
  }

  AddIfSet(text, "company", config.Company);

  if (config.UseNTAuthentication)
    AddPiece(text, "ntauthentication", "1");
  else if (!config.IsNative)
    AddPiece(text, "ntauthentication", "0");

  if (!config.IsNative) AddDevelopmentPieces(text, config);
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
