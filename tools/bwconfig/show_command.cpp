// bwconfig show: prints a settings file as JSON.
#include "command.h"
#include "command_line.h"
#include "json_settings.h"
#include "settings_files.h"

namespace bw::bwconfig {

namespace {

SettingsFormat InputFormat(const CommandLine& line, const std::string& path) {
  if (const auto it = line.values.find("--from"); it != line.values.end()) {
    if (auto format = FormatByName(it->second)) return *format;
    throw UsageError("unknown format \"" + it->second + "\" (config, stream or json)");
  }
  // The configuration file Brackwater loads may carry any name: enciphered unless it says otherwise.
  return FormatByExtension(path).value_or(SettingsFormat::Config);
}

int RunShow(ToolContext& context, CommandArgs args) {
  const auto line = ParseCommandLine(args, {"--passwords"}, {"--from"});
  if (line.operands.size() > 1) throw UsageError("too many files");
  std::string path;
  if (!line.operands.empty()) {
    path = line.operands.front();
  } else if (context.defaultConfigPath) {
    path = context.defaultConfigPath();
  } else {
    throw UsageError("name the settings file to show");
  }
  const auto root = ReadSettingsFile(context.files, path, InputFormat(line, path));
  JsonWriteOptions options;
  options.maskPasswords = !line.flags.contains("--passwords");
  context.out << WriteSettingsJson(*root, options);
  context.out.flush();
  if (!context.out) throw ToolError("cannot write to standard output");
  return 0;
}

const RegisterCommand kRegistered{{
    "show",
    "[--passwords] [--from FMT] [FILE]",
    "Prints the settings tree of FILE as JSON on standard output, passwords masked unless\n"
    "--passwords is given. FILE of another extension than .stream or .json is read as an\n"
    "enciphered configuration file. Without FILE: on Windows the configuration file that\n"
    "Brackwater.exe in bwconfig's own folder loads (the registry's configuration folder, else\n"
    "the application data folder); elsewhere FILE is required.",
    RunShow,
}};

}  // namespace

}  // namespace bw::bwconfig
