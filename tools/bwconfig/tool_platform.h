// What differs between the Windows and the native build of bwconfig.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/file_system.h"

namespace bw::bwconfig {

std::unique_ptr<platform::FileSystem> MakeFileSystem();

// The configuration file that Brackwater would load; an empty function where there is no such rule.
std::function<std::string()> DefaultConfigPathRule();

}  // namespace bw::bwconfig
