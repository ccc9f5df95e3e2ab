// The commands of bwconfig and what they reach.
#pragma once

#include <functional>
#include <ostream>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "platform/secret_protection.h"
#include "tool_platform.h"

namespace bw::bwconfig {

struct ToolContext {
  std::ostream& out;
  std::ostream& err;
  platform::FileSystem& files;
  // The configuration file Brackwater itself would load; empty when the platform has no such rule.
  std::function<std::string()> defaultConfigPath;
  // Opens protected passwords for "show --passwords"; only the Windows build has one that can.
  platform::SecretProtection* protection = nullptr;
  // Everything else the commands need from the platform, made once for the run.
  ToolServices services = MakeToolServices();
};

// A failure that ends the command: reported as one line "bwconfig: <message>", exit code 1.
class ToolError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// Wrong use of the command line: reported with the command's usage, exit code 2.
class UsageError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

using CommandArgs = std::span<const std::string>;

struct Command {
  std::string_view name;
  std::string_view usage;    // arguments after the name
  std::string_view summary;  // one or more lines for the help text
  int (*run)(ToolContext& context, CommandArgs args);
};

// Each command's file registers it with one line:
//   const RegisterCommand kRegistered{{"name", "usage", "summary", RunName}};
struct RegisterCommand {
  explicit RegisterCommand(const Command& command);
};

// Every registered command, in name order.
const std::vector<Command>& Commands();
const Command* FindCommand(std::string_view name);

// Runs a whole command line (without the program name); returns the exit code.
int RunBwconfig(CommandArgs args, ToolContext& context);

}  // namespace bw::bwconfig
