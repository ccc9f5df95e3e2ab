// The user and program as Linux sees them; each part can be fixed by the caller (tests).
#pragma once

#include <optional>
#include <string>

#include "platform/environment.h"

namespace bw::platform {

class NativeEnvironment : public Environment {
public:
  struct Overrides {
    std::optional<std::string> userName;
    std::optional<std::string> appDataFolder;
    std::optional<std::string> programPath;
  };

  NativeEnvironment() = default;
  explicit NativeEnvironment(Overrides overrides) : overrides_(std::move(overrides)) {}

  // $USER, else the password database's name for the real user id.
  std::string UserName() override;
  // $XDG_CONFIG_HOME, else $HOME/.config; empty when neither is known.
  std::string AppDataFolder() override;
  // /proc/self/exe.
  std::string ProgramPath() override;

private:
  Overrides overrides_;
};

}  // namespace bw::platform
