// The current user's registry hive through the Windows API.
#pragma once

#include "platform/registry.h"

namespace bw::platform {

class Win32Registry final : public Registry {
public:
  std::optional<std::string> ReadString(std::string_view key, std::string_view name) override;
  bool WriteString(std::string_view key, std::string_view name, std::string_view data) override;
  bool DeleteValue(std::string_view key, std::string_view name) override;
  bool DeleteKey(std::string_view key) override;
};

}  // namespace bw::platform
