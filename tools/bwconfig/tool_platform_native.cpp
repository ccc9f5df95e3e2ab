// Native build: POSIX files; a settings file is always named on the command line.
#include "platform/native/english_locale.h"
#include "platform/native/native_file_system.h"
#include "platform/native/sleeping_clock.h"
#include "platform/native/system_local_time.h"
#include "platform/native/us_key_names.h"
#include "tool_platform.h"

namespace bw::bwconfig {

std::unique_ptr<platform::FileSystem> MakeFileSystem() { return std::make_unique<platform::NativeFileSystem>(); }

std::function<std::string()> DefaultConfigPathRule() { return {}; }

ToolServices MakeToolServices() {
  return {std::make_unique<platform::SleepingClock>(), std::make_unique<platform::SystemLocalTime>(),
          std::make_unique<platform::EnglishLocale>(), std::make_unique<platform::UsKeyNames>()};
}

std::unique_ptr<platform::SecretProtection> MakeSecretProtection() {
  return std::make_unique<platform::NoSecretProtection>();
}

}  // namespace bw::bwconfig
