#include "platform/win32/win32_shell.h"

#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "platform/win32/unique_resource.h"
#include "platform/win32/wide_path.h"

namespace bw::platform {

namespace {
constexpr DWORD kMaxExpanded = 32767;  // the environment block's own limit

std::string Expand(const std::string& source) {
  DWORD size = ExpandEnvironmentStringsA(source.c_str(), nullptr, 0);
  // The size may grow if the environment changes between the calls: try a few times, no more.
  for (int attempt = 0; attempt < 3 && size > 0 && size <= kMaxExpanded; ++attempt) {
    std::vector<char> buffer(size);
    const DWORD written = ExpandEnvironmentStringsA(source.c_str(), buffer.data(), size);
    if (written == 0) break;
    if (written <= size) return std::string(buffer.data());
    size = written;
  }
  return source;
}

}  // namespace

std::string Win32Shell::ExpandEnvironment(std::string_view text) { return Expand(std::string(text)); }

bool Win32Shell::Execute(const ShellRequest& request) {
  // The request's texts come from the settings file (ANSI); the wide call keeps them exact.
  const std::wstring file = WideAnsi(request.file);
  const std::wstring parameters = WideAnsi(request.parameters);
  const std::wstring directory = WideAnsi(request.directory);
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  // No error dialogs; the process handle is taken only to be closed at once, nobody waits.
  info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOCLOSEPROCESS;
  info.hwnd = nullptr;
  info.lpVerb = nullptr;
  info.lpFile = file.c_str();
  info.lpParameters = parameters.empty() ? nullptr : parameters.c_str();
  info.lpDirectory = directory.empty() ? nullptr : directory.c_str();
  info.nShow = SW_SHOWNORMAL;
  const bool accepted = ShellExecuteExW(&info) != FALSE;
  UniqueHandle process(info.hProcess);
  return accepted;
}

}  // namespace bw::platform
