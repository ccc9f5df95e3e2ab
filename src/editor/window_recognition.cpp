#include "editor/window_recognition.h"

#include <algorithm>
#include <string>

namespace bw {
namespace {

std::string Lowered(std::string text) {
  if (text.size() > kWindowTextLimit) text.resize(kWindowTextLimit);
  std::transform(text.begin(), text.end(), text.begin(), [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  });
  return text;
}

std::string_view FileNameOf(std::string_view path) {
  const auto slash = path.find_last_of("\\/");
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

}  // namespace

bool IsCalEditor(platform::Desktop& desktop, platform::WindowId window, platform::ProcessId /*process*/) {
  if (window == platform::kNoWindow) return false;
  const std::string className = Lowered(desktop.ClassName(window));
  if (className != kEditorClass && className != kEditorSubformClass) return false;
  return Lowered(desktop.WindowText(window)).find(kEditorCaptionMark) != std::string::npos;
}

bool IsLoginDialog(platform::Desktop& desktop, platform::WindowId window, platform::ProcessId process) {
  if (window == platform::kNoWindow) return false;
  if (Lowered(desktop.ClassName(window)) != kLoginFieldClass) return false;
  const auto executable = desktop.ProcessExecutable(process);
  if (!executable) return false;
  const std::string name = Lowered(std::string(FileNameOf(*executable)));
  return name == "fin.exe" || name == "finsql.exe";
}

}  // namespace bw
