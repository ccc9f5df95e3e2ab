// Whether Windows keeps this program's posted keys from another process: a process that runs
// elevated (as administrator) does not take input from one that does not.
#pragma once

#include <windows.h>

namespace bw::platform {

// True when `process` runs elevated and this program does not. A process whose token this
// program may not even read counts as elevated too; one that cannot be opened at all (it has
// ended) does not.
bool OutOfReach(DWORD process);

}  // namespace bw::platform
