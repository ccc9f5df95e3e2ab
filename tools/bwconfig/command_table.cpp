// The command table and the dispatch of a command line.
#include <algorithm>
#include <exception>

#include "command.h"

namespace bw::bwconfig {

namespace {

std::vector<Command>& Table() {
  static std::vector<Command> table;
  return table;
}

void PrintHelp(std::ostream& out) {
  out << "bwconfig - reads and converts Brackwater settings files\n\n"
         "usage: bwconfig COMMAND [OPTIONS] [FILES]\n\n"
         "Formats (FMT): config  the enciphered configuration file (*.config)\n"
         "               stream  the plain record stream inside it (*.stream)\n"
         "               json    one JSON object per record (*.json)\n"
         "Without --from/--to a file's format follows its extension.\n\n"
         "Commands:\n";
  for (const auto& command : Commands()) {
    out << "  bwconfig " << command.name << ' ' << command.usage << '\n';
    std::string_view summary = command.summary;
    while (!summary.empty()) {
      const auto end = summary.find('\n');
      out << "      " << summary.substr(0, end) << '\n';
      summary = end == std::string_view::npos ? std::string_view() : summary.substr(end + 1);
    }
  }
  out << "  bwconfig --help\n\n"
         "Exit code 0 on success, 1 when a command fails, 2 for a wrong command line.\n"
         "Input files are never changed; output files are replaced as a whole or not at all.\n";
}

}  // namespace

RegisterCommand::RegisterCommand(const Command& command) {
  auto& table = Table();
  const auto at = std::lower_bound(table.begin(), table.end(), command,
                                   [](const Command& a, const Command& b) { return a.name < b.name; });
  table.insert(at, command);
}

const std::vector<Command>& Commands() { return Table(); }

const Command* FindCommand(std::string_view name) {
  for (const auto& command : Commands())
    if (command.name == name) return &command;
  return nullptr;
}

int RunBwconfig(CommandArgs args, ToolContext& context) {
  if (args.empty()) {
    PrintHelp(context.err);
    return 2;
  }
  if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    PrintHelp(context.out);
    return 0;
  }
  const Command* command = FindCommand(args[0]);
  if (!command) {
    context.err << "bwconfig: unknown command \"" << args[0] << "\" (see bwconfig --help)\n";
    return 2;
  }
  if (args.size() == 2 && (args[1] == "--help" || args[1] == "-h")) {
    context.out << "usage: bwconfig " << command->name << ' ' << command->usage << '\n' << command->summary << '\n';
    return 0;
  }
  try {
    return command->run(context, args.subspan(1));
  } catch (const UsageError& e) {
    context.err << "bwconfig: " << e.what() << "\nusage: bwconfig " << command->name << ' ' << command->usage << '\n';
    return 2;
  } catch (const ToolError& e) {
    context.err << "bwconfig: " << e.what() << '\n';
    return 1;
  } catch (const std::exception& e) {
    context.err << "bwconfig: " << command->name << " failed: " << e.what() << '\n';
    return 1;
  }
}

}  // namespace bw::bwconfig
