#include "command_line.h"

#include <algorithm>

namespace bw::bwconfig {

namespace {
bool Contains(std::initializer_list<std::string_view> list, std::string_view name) {
  return std::find(list.begin(), list.end(), name) != list.end();
}
}  // namespace

CommandLine ParseCommandLine(CommandArgs args, std::initializer_list<std::string_view> flags,
                             std::initializer_list<std::string_view> valued,
                             std::initializer_list<std::string_view> repeated) {
  CommandLine line;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
      line.operands.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    const auto equals = arg.find('=');
    const std::string name = arg.substr(0, equals);
    if (Contains(flags, name) && equals == std::string::npos) {
      line.flags.insert(name);
    } else if (Contains(valued, name) || Contains(repeated, name)) {
      std::string value;
      if (equals != std::string::npos) {
        value = arg.substr(equals + 1);
      } else if (i + 1 < args.size()) {
        value = args[++i];
      } else {
        throw UsageError("option " + name + " needs a value");
      }
      if (Contains(repeated, name)) {
        line.lists[name].push_back(std::move(value));
      } else {
        line.values[name] = std::move(value);
      }
    } else {
      throw UsageError("unknown option \"" + arg + "\"");
    }
  }
  return line;
}

}  // namespace bw::bwconfig
