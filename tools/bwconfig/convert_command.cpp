// bwconfig convert: between the enciphered configuration file, the record stream and JSON.
#include <filesystem>

#include "command.h"
#include "command_line.h"
#include "settings_files.h"

namespace bw::bwconfig {

namespace {

SettingsFormat ChosenFormat(const CommandLine& line, std::string_view option, const std::string& path) {
  if (const auto it = line.values.find(option); it != line.values.end()) {
    if (auto format = FormatByName(it->second)) return *format;
    throw UsageError("unknown format \"" + it->second + "\" (config, stream or json)");
  }
  if (auto format = FormatByExtension(path)) return *format;
  throw UsageError("cannot tell the format of \"" + path + "\" from its extension; give " + std::string(option));
}

// The output must never replace the input.
bool SameFile(const std::string& in, const std::string& out) {
  if (in == out) return true;
  std::error_code error;
  return std::filesystem::equivalent(std::filesystem::path(in), std::filesystem::path(out), error) && !error;
}

int RunConvert(ToolContext& context, CommandArgs args) {
  const auto line = ParseCommandLine(args, {}, {"--from", "--to"});
  if (line.operands.size() != 2) throw UsageError("name the input and the output file");
  const std::string& in = line.operands[0];
  const std::string& out = line.operands[1];
  const SettingsFormat from = ChosenFormat(line, "--from", in);
  const SettingsFormat to = ChosenFormat(line, "--to", out);
  if (SameFile(in, out)) throw ToolError(out + ": is the input file; choose another output file");

  const auto root = ReadSettingsFile(context.files, in, from);
  WriteSettingsFile(context.files, out, EncodeSettings(*root, to));
  return 0;
}

const RegisterCommand kRegistered{{
    "convert",
    "[--from FMT] [--to FMT] IN OUT",
    "Reads IN completely and writes the same settings to OUT in another format, every value\n"
    "kept, passwords included. Formats follow the extensions unless given.",
    RunConvert,
}};

}  // namespace

}  // namespace bw::bwconfig
