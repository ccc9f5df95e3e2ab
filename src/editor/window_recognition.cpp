#include "editor/window_recognition.h"

#include <string>

#include "base/path_parts.h"
#include "base/text_case.h"

namespace bw {
namespace {

// Window texts as far as they are read, lower-cased.
std::string Lowered(std::string_view text) { return LowerAscii(text.substr(0, kWindowTextLimit)); }

}  // namespace

bool IsEditorClass(std::string_view className) {
  const std::string lowered = Lowered(className);
  for (const std::string_view editorClass : kEditorClasses)
    if (lowered == LowerAscii(editorClass)) return true;
  return false;
}

bool IsCalEditor(platform::Desktop& desktop, platform::WindowId window, platform::ProcessId /*process*/) {
  if (window == platform::kNoWindow) return false;
  if (!IsEditorClass(desktop.ClassName(window))) return false;
  return Lowered(desktop.WindowText(window)).find(kEditorCaptionMark) != std::string::npos;
}

bool IsLoginDialog(platform::Desktop& desktop, platform::WindowId window, platform::ProcessId process) {
  if (window == platform::kNoWindow) return false;
  if (Lowered(desktop.ClassName(window)) != LowerAscii(kLoginFieldClass)) return false;
  const auto executable = desktop.ProcessExecutable(process);
  if (!executable) return false;
  const std::string name = Lowered(FileNamePart(*executable));
  return name == "fin.exe" || name == "finsql.exe";
}

}  // namespace bw
