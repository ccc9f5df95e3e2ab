// bwconfig expand: prints a template text as Brackwater would type it.
#include <cstdio>
#include <map>
#include <memory>

#include "command.h"
#include "editor/template_expansion.h"
#include "editor/variable_list.h"
#include "base/text_case.h"
#include "settings_files.h"

namespace bw::bwconfig {

namespace {

class FixedClock final : public platform::LocalTime {
public:
  explicit FixedClock(platform::LocalDateTime at) : at_(at) {}
  platform::LocalDateTime Now() override { return at_; }

private:
  platform::LocalDateTime at_;
};

struct NameLess {
  bool operator()(std::string_view a, std::string_view b) const { return LessIgnoringCase(a, b); }
};

// Questions answered from --set; one without an answer ends the command.
class SetAnswers final : public VariableAsker {
public:
  std::optional<std::string> AskVariable(std::string_view name, std::string_view) override {
    const auto answer = answers.find(std::string(name));
    if (answer == answers.end())
      throw ToolError("the template asks for variable \"" + std::string(name) + "\"; answer it with --set \"" +
                      std::string(name) + "=VALUE\"");
    return answer->second;
  }

  std::map<std::string, std::string, NameLess> answers;  // names without regard to letter case
};

bool ReadNumber(std::string_view text, std::size_t& at, std::size_t digits, int low, int high, int& value) {
  if (at + digits > text.size()) return false;
  value = 0;
  for (std::size_t i = 0; i < digits; ++i) {
    const char c = text[at + i];
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  at += digits;
  return value >= low && value <= high;
}

bool ReadChar(std::string_view text, std::size_t& at, char wanted) {
  if (at >= text.size() || text[at] != wanted) return false;
  ++at;
  return true;
}

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

// YYYY-MM-DD, optionally followed by THH:MM, :SS and .mmm.
platform::LocalDateTime ParseMoment(std::string_view text) {
  platform::LocalDateTime t{};
  t.year = t.month = t.day = 0;
  std::size_t at = 0;
  bool ok = ReadNumber(text, at, 4, 1, 9999, t.year) && ReadChar(text, at, '-') &&
            ReadNumber(text, at, 2, 1, 12, t.month) && ReadChar(text, at, '-') &&
            ReadNumber(text, at, 2, 1, 31, t.day);
  ok = ok && t.day <= DaysInMonth(t.year, t.month);
  if (ok && at < text.size()) {
    ok = ReadChar(text, at, 'T') && ReadNumber(text, at, 2, 0, 23, t.hour) && ReadChar(text, at, ':') &&
         ReadNumber(text, at, 2, 0, 59, t.minute);
    if (ok && at < text.size()) ok = ReadChar(text, at, ':') && ReadNumber(text, at, 2, 0, 59, t.second);
    if (ok && at < text.size()) ok = ReadChar(text, at, '.') && ReadNumber(text, at, 3, 0, 999, t.millisecond);
  }
  if (!ok || at != text.size())
    throw UsageError("--at \"" + std::string(text) + "\" is no date and time of the form YYYY-MM-DDTHH:MM:SS.mmm");
  return t;
}

struct ExpandLine {
  std::optional<std::string> config;
  std::optional<std::string> at;
  SetAnswers asker;
  std::optional<std::string> text;
};

ExpandLine ParseExpandLine(CommandArgs args) {
  ExpandLine line;
  bool options = true;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (options && arg == "--") {
      options = false;
      continue;
    }
    if (options && arg.size() > 2 && arg.starts_with("--")) {
      const auto equals = arg.find('=');
      const std::string option = arg.substr(0, equals);
      std::string value;
      if (equals != std::string::npos) {
        value = arg.substr(equals + 1);
      } else if (i + 1 < args.size()) {
        value = args[++i];
      } else {
        throw UsageError(option + " needs a value");
      }
      if (option == "--config") {
        line.config = value;
      } else if (option == "--at") {
        line.at = value;
      } else if (option == "--set") {
        const auto split = value.find('=');
        if (split == std::string::npos) throw UsageError("--set \"" + value + "\" is not NAME=VALUE");
        line.asker.answers.insert_or_assign(value.substr(0, split), value.substr(split + 1));
      } else {
        throw UsageError("unknown option " + option);
      }
      continue;
    }
    if (line.text) throw UsageError("give the template as one argument (quote it)");
    line.text = arg;
  }
  if (!line.text) throw UsageError("name the template text to expand");
  return line;
}

int RunExpand(ToolContext& context, CommandArgs args) {
  ExpandLine line = ParseExpandLine(args);
  const platform::LocalDateTime at = line.at ? ParseMoment(*line.at) : context.services.localTime->Now();

  StringList variables;
  if (line.config) {
    const auto format = FormatByExtension(*line.config).value_or(SettingsFormat::Config);
    const auto root = ReadSettingsFile(context.files, *line.config, format);
    if (!HasRootLayout(*root)) throw ToolError(*line.config + ": not a Brackwater settings tree");
    auto& general = General(*root);
    SetReservedVariables(general);
    variables = general.VarList;
  }

  FixedClock clock(at);
  std::optional<ExpandedTemplate> expanded;
  try {
    expanded = ExpandTemplate(*line.text, {variables, line.asker, clock, *context.services.locale});
  } catch (const TemplateTooLong& e) {
    throw ToolError(e.what());
  }
  if (!expanded) throw ToolError("the expansion was cancelled");
  context.out << expanded->text;
  context.out.flush();
  if (!context.out) throw ToolError("cannot write to standard output");
  return 0;
}

const RegisterCommand kRegistered{{
    "expand",
    "[--config FILE] [--at YYYY-MM-DDTHH:MM:SS.mmm] [--set NAME=VALUE]... TEXT",
    "Prints TEXT with its template tags replaced, exactly as Brackwater would type it, without\n"
    "a line break of its own. Variables come from FILE's settings (none without FILE; Author,\n"
    "Initials and Company from its preferences); the date and time from --at (the time part,\n"
    "seconds and milliseconds may be left out), else the clock. Every question for a variable\n"
    "is answered from --set (names in any letter case); a question that no --set answers ends\n"
    "the command with exit code 1. FILE is never changed.",
    RunExpand,
}};

}  // namespace

}  // namespace bw::bwconfig
