// Native build: POSIX files; a settings file is always named on the command line.
#include "platform/native/native_file_system.h"
#include "tool_platform.h"

namespace bw::bwconfig {

std::unique_ptr<platform::FileSystem> MakeFileSystem() { return std::make_unique<platform::NativeFileSystem>(); }

std::function<std::string()> DefaultConfigPathRule() { return {}; }

std::unique_ptr<platform::SecretProtection> MakeSecretProtection() {
  return std::make_unique<platform::NoSecretProtection>();
}

}  // namespace bw::bwconfig
