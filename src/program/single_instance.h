// The one-process-per-user rule: a named mutex held for the whole run.
#pragma once

#include <string>

#include "platform/win32/unique_resource.h"

namespace bw::win32 {

class SingleInstance {
public:
  explicit SingleInstance(const std::string& mutexName);
  // True only when this process created the mutex; a failed creation counts as "not first".
  bool IsFirst() const { return first_; }

private:
  platform::UniqueHandle mutex_;
  bool first_ = false;
};

// What a second instance does: tells the running one to show itself, and nothing else.
void NotifyRunningInstance();

}  // namespace bw::win32
