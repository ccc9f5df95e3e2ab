// Windows build: the real file system, and the location rule of Brackwater's own
// configuration file as seen from Brackwater.exe in bwconfig's folder.
#include "base/path_parts.h"
#include "platform/environment.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_environment.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_key_names.h"
#include "platform/win32/win32_local_time.h"
#include "platform/win32/win32_locale.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_secret_protection.h"
#include "settings/config_location.h"
#include "tool_platform.h"

namespace bw::bwconfig {

namespace {

constexpr std::string_view kProgramFileName = "Brackwater.exe";

// The running user and folders, with Brackwater.exe beside bwconfig.exe as the program.
class BrackwaterBeside final : public platform::Environment {
public:
  std::string UserName() override { return real_.UserName(); }
  std::string AppDataFolder() override { return real_.AppDataFolder(); }
  std::string ProgramPath() override {
    return std::string(FolderPart(real_.ProgramPath())) + std::string(kProgramFileName);
  }

private:
  platform::Win32Environment real_;
};

}  // namespace

std::unique_ptr<platform::FileSystem> MakeFileSystem() { return std::make_unique<platform::Win32FileSystem>(); }

std::function<std::string()> DefaultConfigPathRule() {
  return [] {
    BrackwaterBeside environment;
    platform::Win32Registry registry;
    return LocateConfigFile(environment, registry).path;
  };
}

ToolServices MakeToolServices() {
  return {std::make_unique<platform::Win32Clock>(), std::make_unique<platform::Win32LocalTime>(),
          std::make_unique<platform::Win32Locale>(), std::make_unique<platform::Win32KeyNames>()};
}

std::unique_ptr<platform::SecretProtection> MakeSecretProtection() {
  return std::make_unique<platform::Win32SecretProtection>();
}

}  // namespace bw::bwconfig
