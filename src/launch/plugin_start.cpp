#include "launch/plugin_start.h"

#include "launch/shell_start.h"

namespace bw {

bool StartPlugin(const TPluginStorage& plugin, platform::Shell& shell) {
  return ShellStart(shell, Unquoted(plugin.ExecutablePath), plugin.Parameters);
}

}  // namespace bw
