#include "platform/native/native_environment.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace bw::platform {
namespace {

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

std::string WithoutTrailingSlash(std::string folder) {
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

}  // namespace

std::string NativeEnvironment::UserName() {
  if (overrides_.userName) return *overrides_.userName;
  if (auto user = Variable("USER"); !user.empty()) return user;
  std::vector<char> buffer(16384);
  passwd entry{};
  passwd* found = nullptr;
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_name)
    return found->pw_name;
  return "";
}

std::string NativeEnvironment::AppDataFolder() {
  if (overrides_.appDataFolder) return *overrides_.appDataFolder;
  if (auto config = Variable("XDG_CONFIG_HOME"); !config.empty()) return WithoutTrailingSlash(config);
  if (auto home = Variable("HOME"); !home.empty()) return WithoutTrailingSlash(home) + "/.config";
  return "";
}

std::string NativeEnvironment::ProgramPath() {
  if (overrides_.programPath) return *overrides_.programPath;
  std::vector<char> buffer(4096);
  const auto length = readlink("/proc/self/exe", buffer.data(), buffer.size());
  if (length <= 0 || static_cast<std::size_t>(length) >= buffer.size()) return "";
  return std::string(buffer.data(), static_cast<std::size_t>(length));
}

}  // namespace bw::platform
