#include "platform/win32/win32_elevation.h"

#include "platform/win32/unique_resource.h"

namespace bw::platform {
namespace {

enum class Elevation { No, Yes, Unknown };

Elevation TokenElevated(HANDLE process) {
  HANDLE token = nullptr;
  if (!OpenProcessToken(process, TOKEN_QUERY, &token))
    return GetLastError() == ERROR_ACCESS_DENIED ? Elevation::Yes : Elevation::Unknown;
  const UniqueHandle owned(token);
  TOKEN_ELEVATION elevation{};
  DWORD size = 0;
  if (!GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size)) return Elevation::Unknown;
  return elevation.TokenIsElevated != 0 ? Elevation::Yes : Elevation::No;
}

}  // namespace

bool OutOfReach(DWORD process) {
  if (process == 0 || process == GetCurrentProcessId()) return false;
  if (TokenElevated(GetCurrentProcess()) != Elevation::No) return false;  // elevated ourselves: all reachable
  const UniqueHandle other(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process));
  if (!other) return false;
  return TokenElevated(other.Get()) == Elevation::Yes;
}

}  // namespace bw::platform
