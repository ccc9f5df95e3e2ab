// A registry that reads from another one but refuses every change (a locked-down hive).
#pragma once

#include "platform/registry.h"

namespace bw::platform {

class RefusingRegistry : public Registry {
public:
  explicit RefusingRegistry(Registry& inner) : inner_(inner) {}

  std::optional<std::string> ReadString(std::string_view key, std::string_view name) override {
    return inner_.ReadString(key, name);
  }
  bool WriteString(std::string_view, std::string_view, std::string_view) override { return false; }
  bool DeleteValue(std::string_view, std::string_view) override { return false; }
  bool DeleteKey(std::string_view) override { return false; }

private:
  Registry& inner_;
};

}  // namespace bw::platform
