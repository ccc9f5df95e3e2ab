// What differs between the Windows and the native build of bwconfig.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/file_system.h"
#include "platform/secret_protection.h"

namespace bw::bwconfig {

std::unique_ptr<platform::FileSystem> MakeFileSystem();
// The protection of stored passwords by the user's account; the native one opens none.
std::unique_ptr<platform::SecretProtection> MakeSecretProtection();

// The configuration file that Brackwater would load; an empty function where there is no such rule.
std::function<std::string()> DefaultConfigPathRule();

}  // namespace bw::bwconfig
