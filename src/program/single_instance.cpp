#include "program/single_instance.h"

#include "program/registered_messages.h"

namespace bw::win32 {

SingleInstance::SingleInstance(const std::string& mutexName)
    : mutex_(CreateMutexA(nullptr, TRUE, mutexName.c_str())) {
  first_ = mutex_.Valid() && GetLastError() != ERROR_ALREADY_EXISTS;
}

void NotifyRunningInstance() {
  PostMessageA(HWND_BROADCAST, RegisterWindowMessageA(kNotifyMessageName), 0, 0);
}

}  // namespace bw::win32
