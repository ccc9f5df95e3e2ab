#include "client_options.h"

#include <charconv>
#include <string_view>

namespace bw::calclient {

namespace {

bool ParseNumber(std::string_view text, int& value) {
  const auto* end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, value);
  return result.ec == std::errc() && result.ptr == end;
}

// "L,C" from 1, returned from 0.
std::optional<Position> ParsePosition(std::string_view text) {
  const auto comma = text.find(',');
  if (comma == std::string_view::npos) return std::nullopt;
  int line = 0, column = 0;
  if (!ParseNumber(text.substr(0, comma), line) || !ParseNumber(text.substr(comma + 1), column)) return std::nullopt;
  if (line < 1 || column < 1 || column > EditorModel::kMaxColumn + 1) return std::nullopt;
  return Position{line - 1, column - 1};
}

}  // namespace

std::optional<ClientOptions> ParseClientOptions(const std::vector<std::string>& arguments, std::string& error) {
  ClientOptions options;
  for (const std::string& argument : arguments) {
    const std::string_view text(argument);
    const auto equals = text.find('=');
    const std::string_view name = text.substr(0, equals);
    const std::string_view value = equals == std::string_view::npos ? std::string_view() : text.substr(equals + 1);
    const bool hasValue = equals != std::string_view::npos;
    if (!text.empty() && text.front() != '/') {
      if (!options.clientArguments.empty()) options.clientArguments += ' ';
      options.clientArguments += text;
    } else if (name == "/subform" && !hasValue) {
      options.subform = true;
    } else if (name == "/login" && !hasValue) {
      options.login = true;
    } else if (name == "/logall" && !hasValue) {
      options.logAll = true;
    } else if (name == "/text" && !value.empty()) {
      options.textFile = value;
    } else if (name == "/state" && !value.empty()) {
      options.stateFile = value;
    } else if (name == "/log" && !value.empty()) {
      options.logFile = value;
    } else if (name == "/caption" && hasValue) {
      options.caption = value;
    } else if ((name == "/caret" || name == "/anchor") && hasValue) {
      const auto position = ParsePosition(value);
      if (!position) {
        error = "Expected line,column from 1 in " + argument;
        return std::nullopt;
      }
      (name == "/caret" ? options.caret : options.anchor) = position;
    } else {
      error = "Unknown argument " + argument;
      return std::nullopt;
    }
  }
  return options;
}

}  // namespace bw::calclient
