// Windows build: the real file system, and the location rule of Brackwater's own
// configuration file as seen from Brackwater.exe in bwconfig's folder.
#include "base/path_parts.h"
#include "platform/ansi_text.h"
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

// bwconfig's paths come from its ANSI command line; the file system takes UTF-8.
class AnsiPathFiles final : public platform::FileSystem {
public:
  bool FileExists(const std::string& path) override { return real_.FileExists(U(path)); }
  bool FolderExists(const std::string& path) override { return real_.FolderExists(U(path)); }
  bool IsReadOnly(const std::string& path) override { return real_.IsReadOnly(U(path)); }
  std::optional<std::vector<std::uint8_t>> ReadAll(const std::string& path, std::size_t maxBytes) override {
    return real_.ReadAll(U(path), maxBytes);
  }
  std::optional<std::uint64_t> FileSize(const std::string& path) override { return real_.FileSize(U(path)); }
  bool WriteAtomic(const std::string& path, std::span<const std::uint8_t> bytes) override {
    return real_.WriteAtomic(U(path), bytes);
  }
  bool Rename(const std::string& from, const std::string& to) override { return real_.Rename(U(from), U(to)); }
  bool RenameReplacing(const std::string& from, const std::string& to) override {
    return real_.RenameReplacing(U(from), U(to));
  }
  bool Copy(const std::string& from, const std::string& to) override { return real_.Copy(U(from), U(to)); }
  bool Delete(const std::string& path) override { return real_.Delete(U(path)); }
  bool CreateFolders(const std::string& path) override { return real_.CreateFolders(U(path)); }
  std::string LastErrorText() override { return real_.LastErrorText(); }

private:
  static std::string U(const std::string& ansi) { return platform::AnsiToUtf8(ansi); }
  platform::Win32FileSystem real_;
};

}  // namespace

std::unique_ptr<platform::FileSystem> MakeFileSystem() { return std::make_unique<AnsiPathFiles>(); }

std::function<std::string()> DefaultConfigPathRule() {
  return [] {
    BrackwaterBeside environment;
    platform::Win32Registry registry;
    const std::string path = LocateConfigFile(environment, registry).path;  // UTF-8
    return platform::Utf8ToAnsi(path).value_or(path);
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
