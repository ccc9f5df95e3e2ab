// bwconfig templates: lists the templates of a settings file, exports them to a template file
// (*.tml) and imports one.
#include <algorithm>
#include <vector>

#include "command.h"
#include "command_line.h"
#include "platform/ansi_text.h"
#include "settings/hotkey_text.h"
#include "settings/template_exchange.h"
#include "settings_files.h"

namespace bw::bwconfig {

namespace {

struct TemplatesLine {
  std::string action;
  std::optional<std::string> config;
  std::vector<std::string> names;
  std::vector<std::string> operands;
};

TemplatesLine ParseTemplatesLine(CommandArgs args) {
  if (args.empty()) throw UsageError("name the action: list, export or import");
  TemplatesLine line;
  line.action = args[0];
  if (line.action != "list" && line.action != "export" && line.action != "import")
    throw UsageError("unknown action \"" + line.action + "\" (list, export or import)");
  auto parsed = line.action == "export" ? ParseCommandLine(args.subspan(1), {}, {"--config"}, {"--name"})
                                        : ParseCommandLine(args.subspan(1), {}, {"--config"});
  if (const auto it = parsed.values.find("--config"); it != parsed.values.end()) line.config = it->second;
  if (const auto it = parsed.lists.find("--name"); it != parsed.lists.end()) line.names = std::move(it->second);
  line.operands = std::move(parsed.operands);
  const std::size_t wanted = line.action == "list" ? 0 : 1;
  if (line.operands.size() != wanted)
    throw UsageError(wanted == 0 ? "list takes no file but --config" : "name one template file");
  return line;
}

std::string ConfigPath(const TemplatesLine& line, ToolContext& context) {
  if (line.config) return *line.config;
  if (context.defaultConfigPath) return context.defaultConfigPath();
  throw UsageError("name the settings file with --config");
}

SettingsFormat ConfigFormat(const std::string& path) { return FormatByExtension(path).value_or(SettingsFormat::Config); }

std::unique_ptr<TStorage> ReadTree(ToolContext& context, const std::string& path) {
  auto root = ReadSettingsFile(context.files, path, ConfigFormat(path));
  if (!HasRootLayout(*root)) throw ToolError(path + ": not a Brackwater settings tree");
  return root;
}

std::vector<const TCommentStorage*> Templates(const TStorage& root) {
  std::vector<const TCommentStorage*> templates;
  const auto& folder = TemplatesFolder(root);
  for (int i = 0; i < folder.ChildCount(); ++i)
    if (const auto* item = dynamic_cast<const TCommentStorage*>(&folder.Child(i))) templates.push_back(item);
  return templates;
}

// Names on the command line match in the settings' own bytes or as UTF-8.
bool NameMatches(const TCommentStorage& item, const std::string& name) {
  return item.CommentName == name || platform::AnsiToUtf8(item.CommentName) == name;
}

int RunList(ToolContext& context, const std::string& path) {
  const auto root = ReadTree(context, path);
  platform::KeyNames& keys = *context.services.keyNames;
  for (const auto* item : Templates(*root)) {
    context.out << platform::AnsiToUtf8(item->CommentName) << '\t';
    if (item->Hotkey) context.out << platform::AnsiToUtf8(FormatHotkey(static_cast<TShortCut>(item->Hotkey), keys));
    if (item->Hotkey && item->Disabled) context.out << "\t(duplicate hotkey)";
    context.out << '\n';
  }
  context.out.flush();
  if (!context.out) throw ToolError("cannot write to standard output");
  return 0;
}

int RunExport(ToolContext& context, const std::string& path, const TemplatesLine& line) {
  const auto root = ReadTree(context, path);
  auto templates = Templates(*root);
  if (!line.names.empty()) {
    for (const auto& name : line.names)
      if (std::none_of(templates.begin(), templates.end(), [&](const auto* item) { return NameMatches(*item, name); }))
        throw ToolError(path + ": no template is named \"" + name + "\"");
    std::erase_if(templates, [&](const auto* item) {
      return std::none_of(line.names.begin(), line.names.end(), [&](const auto& name) { return NameMatches(*item, name); });
    });
  }
  if (templates.empty()) throw ToolError(path + ": there are no templates to export");
  platform::KeyNames& keys = *context.services.keyNames;
  std::vector<std::uint8_t> bytes;
  try {
    bytes = ExportTemplates(templates, keys);
  } catch (const TemplateFileError& e) {
    throw ToolError(e.what());
  }
  const std::string& out = line.operands.front();
  WriteSettingsFile(context.files, out, bytes);
  context.out << "exported " << templates.size() << (templates.size() == 1 ? " template" : " templates") << " to "
              << out << '\n';
  return 0;
}

int RunImport(ToolContext& context, const std::string& path, const TemplatesLine& line) {
  const std::string& in = line.operands.front();
  const auto bytes = context.files.ReadAll(in, kMaxTemplateFileBytes);
  if (!bytes) throw ToolError(in + ": cannot be read (missing, unreadable or too large)");
  const auto root = ReadTree(context, path);
  auto& folder = TemplatesFolder(*root);
  const int before = folder.ChildCount();
  platform::KeyNames& keys = *context.services.keyNames;
  TemplateImport result;
  try {
    result = ImportTemplates(*bytes, folder, keys);
  } catch (const TemplateFileError& e) {
    throw ToolError(in + ": " + e.what());
  }
  if (result.imported > 0) WriteSettingsFile(context.files, path, EncodeSettings(*root, ConfigFormat(path)));
  for (int i = before; i < folder.ChildCount(); ++i) {
    const auto& item = dynamic_cast<const TCommentStorage&>(folder.Child(i));
    if (item.Disabled)
      context.out << "template \"" << platform::AnsiToUtf8(item.CommentName)
                  << "\": its hotkey is already used by another template; it is marked as a duplicate\n";
  }
  if (result.droppedHotkeys > 0) context.out << DroppedHotkeysText(result.droppedHotkeys) << '\n';
  context.out << "imported " << result.imported << (result.imported == 1 ? " template" : " templates") << " from "
              << in << '\n';
  if (result.stopped)
    throw ToolError(in + ": template " + std::to_string(result.imported + 1) +
                    " has no name or no code, the import stopped there (" + result.error + ")");
  return 0;
}

int RunTemplates(ToolContext& context, CommandArgs args) {
  const auto line = ParseTemplatesLine(args);
  const std::string path = ConfigPath(line, context);
  if (line.action == "list") return RunList(context, path);
  if (line.action == "export") return RunExport(context, path, line);
  return RunImport(context, path, line);
}

const RegisterCommand kRegistered{{
    "templates",
    "list [--config FILE] | export [--config FILE] [--name NAME]... OUT.tml | import [--config FILE] IN.tml",
    "list: prints every template of FILE, one a line: its name, a tab and its hotkey (and a\n"
    "mark when the hotkey duplicates another template's).\n"
    "export: writes the templates named by --name (all when none is given) to OUT.tml, in the\n"
    "order of the templates folder; a name that no template has ends the command.\n"
    "import: appends the templates of IN.tml to FILE's templates folder, in file order, and\n"
    "saves FILE atomically; a template without name or code stops the import, keeping the ones\n"
    "before it (exit code 1). FILE's format follows its extension (.config when another). Without\n"
    "--config: on Windows the file Brackwater.exe beside bwconfig.exe loads.",
    RunTemplates,
}};

}  // namespace

}  // namespace bw::bwconfig
