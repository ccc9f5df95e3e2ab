#include "launch/shell_start.h"

#include <algorithm>

namespace bw {

namespace {

bool IsWebAddress(std::string_view text) { return text.find("://") != std::string_view::npos; }

}  // namespace

std::string WorkingFolder(std::string_view file) {
  if (IsWebAddress(file)) return {};
  const auto end = file.find_last_of("\\/:");
  if (end == std::string_view::npos) return {};
  return std::string(file.substr(0, end + 1));
}

bool ShellStart(platform::Shell& shell, std::string_view file, std::string_view parameters) {
  if (file.empty()) return false;
  platform::ShellRequest request;
  request.file = shell.ExpandEnvironment(file);
  request.parameters = std::string(parameters);
  request.directory = WorkingFolder(request.file);
  return shell.Execute(request);
}

bool OpenWebAddress(platform::Shell& shell, std::string_view address) {
  if (address.empty()) return false;
  std::string target(address);
  if (target.find("http://") == std::string::npos && target.find("https://") == std::string::npos)
    target.insert(0, "http://");
  return ShellStart(shell, target, {});
}

std::string Unquoted(std::string_view path) {
  std::string result(path);
  std::erase(result, '"');
  return result;
}

}  // namespace bw
