// What differs between the Windows and the native build of bwconfig: every platform service the
// tool and its commands use comes from here.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/key_names.h"
#include "platform/local_time.h"
#include "platform/locale.h"
#include "platform/secret_protection.h"

namespace bw::bwconfig {

std::unique_ptr<platform::FileSystem> MakeFileSystem();
// The protection of stored passwords by the user's account; the native one opens none.
std::unique_ptr<platform::SecretProtection> MakeSecretProtection();

// The configuration file that Brackwater would load; an empty function where there is no such rule.
std::function<std::string()> DefaultConfigPathRule();

// The services of the commands besides files: the waits of "discover", the moment and the names
// of days and months of "expand", and the key names of "templates".
struct ToolServices {
  std::unique_ptr<platform::Clock> clock;
  std::unique_ptr<platform::LocalTime> localTime;
  std::unique_ptr<platform::Locale> locale;
  std::unique_ptr<platform::KeyNames> keyNames;
};
ToolServices MakeToolServices();

}  // namespace bw::bwconfig
