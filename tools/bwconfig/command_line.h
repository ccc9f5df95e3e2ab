// Splitting a command's arguments into options and operands.
#pragma once

#include <initializer_list>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "command.h"

namespace bw::bwconfig {

struct CommandLine {
  std::set<std::string, std::less<>> flags;                 // given flags ("--passwords")
  std::map<std::string, std::string, std::less<>> values;   // given options with a value ("--from")
  std::map<std::string, std::vector<std::string>, std::less<>> lists;  // repeatable options, in order
  std::vector<std::string> operands;
};

// Options come as "--name", "--name VALUE" or "--name=VALUE"; "--" ends them. Throws UsageError
// for an option the command does not know, or one that lacks its value. A `repeated` option may
// be given any number of times.
CommandLine ParseCommandLine(CommandArgs args, std::initializer_list<std::string_view> flags,
                             std::initializer_list<std::string_view> valued,
                             std::initializer_list<std::string_view> repeated = {});

}  // namespace bw::bwconfig
