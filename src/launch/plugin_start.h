// Starting a plug-in: its executable (or document) with its parameter text, through the shell.
#pragma once

#include "platform/shell.h"
#include "settings/storage.h"

namespace bw {

// The parameters go unchanged (no tags, no environment variables); the path loses any double
// quotes the user typed around it and has its environment variables expanded. True when the
// shell accepted the request; callers report nothing either way.
bool StartPlugin(const TPluginStorage& plugin, platform::Shell& shell);

}  // namespace bw
