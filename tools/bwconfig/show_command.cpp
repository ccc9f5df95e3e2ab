// bwconfig show: prints a settings file as JSON.
#include "command.h"
#include "command_line.h"
#include "json_settings.h"
#include "settings/protected_password.h"
#include "settings_files.h"

namespace bw::bwconfig {

namespace {

// A protected password is shown in clear when it opens for the user running the tool, and as
// "protected" otherwise, with one note saying why.
void ShowProtectedPasswords(TStorage& root, ToolContext& context) {
  platform::NoSecretProtection none;
  platform::SecretProtection& protection = context.protection ? *context.protection : none;
  int unreadable = 0;
  // Any record of the file, whatever its place: the tool shows trees of every shape.
  const auto walk = [&](auto& self, TStorage& record) -> void {
    if (auto* config = dynamic_cast<TConfigStorage*>(&record); config && IsProtectedPassword(config->Password)) {
      auto clear = UnprotectPassword(config->Password, protection);
      config->Password = clear ? std::move(*clear) : std::string(kProtectedPasswordShown);
      if (!clear) ++unreadable;
    }
    for (int i = 0; i < record.ChildCount(); ++i) self(self, record.Child(i));
  };
  walk(walk, root);
  if (unreadable > 0)
    context.err << "bwconfig: " << unreadable
                << " protected password(s) cannot be read here (only by the Windows account that "
                   "protected them, on that computer); they are shown as \"protected\"\n";
}

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
  if (!options.maskPasswords) ShowProtectedPasswords(*root, context);
  context.out << WriteSettingsJson(*root, options);
  context.out.flush();
  if (!context.out) throw ToolError("cannot write to standard output");
  return 0;
}

const RegisterCommand kRegistered{{
    "show",
    "[--passwords] [--from FMT] [FILE]",
    "Prints the settings tree of FILE as JSON on standard output, passwords masked unless\n"
    "--passwords is given (a protected one only for the Windows account that protected it,\n"
    "else it shows as \"protected\"). FILE of another extension than .stream or .json is read\n"
    "as an enciphered configuration file. Without FILE: on Windows the configuration file that\n"
    "Brackwater.exe in bwconfig's own folder loads (the registry's configuration folder, else\n"
    "the application data folder); elsewhere FILE is required.",
    RunShow,
}};

}  // namespace

}  // namespace bw::bwconfig
