#include "settings/start_with_windows.h"

#include <string>

#include "settings/config_location.h"

namespace bw {

bool ReadAutoStart(platform::Environment& environment, platform::Registry& registry) {
  return registry.ReadString(kRunKey, platform::ProgramBaseName(environment.ProgramPath())).has_value();
}

bool WriteAutoStart(bool autoStart, platform::Environment& environment, platform::Registry& registry,
                    platform::Messages& messages) {
  const std::string programPath = environment.ProgramPath();
  const std::string name = platform::ProgramBaseName(programPath);
  if (!autoStart) return registry.DeleteValue(kRunKey, name);
  // Quoted: unquoted, a path with spaces ("D:\My Tools\...") would start "D:\My.exe" first.
  if (registry.WriteString(kRunKey, name, '"' + programPath + '"')) return true;
  messages.Show(platform::MessageKind::Error, "Failed to set data for '" + name + "'");
  return false;
}

}  // namespace bw
