// The start-with-Windows entry: a value under the user's Run key, named after the program.
#pragma once

#include "platform/environment.h"
#include "platform/messages.h"
#include "platform/registry.h"

namespace bw {

// True when the Run key holds a value named after the program's base name.
bool ReadAutoStart(platform::Environment& environment, platform::Registry& registry);

// Writes the value (the program's full path) or deletes it. A refused write is reported
// with an error box; false then.
bool WriteAutoStart(bool autoStart, platform::Environment& environment, platform::Registry& registry,
                    platform::Messages& messages);

}  // namespace bw
