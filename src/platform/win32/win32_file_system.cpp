#include "platform/win32/win32_file_system.h"

#include <windows.h>

#include <algorithm>

#include "platform/win32/unique_handle.h"

namespace bw::platform {

namespace {

// ReadFile and WriteFile move at most a DWORD at a time; stay well below it.
constexpr std::size_t kChunk = 1u << 20;

bool IsDelimiter(char c) { return c == '\\' || c == '/'; }

std::string FolderOf(const std::string& path) {
  const auto slash = path.find_last_of("\\/");
  if (slash == std::string::npos) return ".";
  if (slash == 0 || (slash == 2 && path[1] == ':')) return path.substr(0, slash + 1);  // "\" or "C:\"
  return path.substr(0, slash);
}

DWORD Attributes(const std::string& path) { return GetFileAttributesA(path.c_str()); }

bool WriteAll(HANDLE file, std::span<const std::uint8_t> bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min(bytes.size(), kChunk));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes = bytes.subspan(written);
  }
  return true;
}

// Fills a temporary file created by GetTempFileNameA and flushes it to the disk.
bool FillTemporary(const std::string& temporary, std::span<const std::uint8_t> bytes) {
  const UniqueHandle file(CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
  return file && WriteAll(file.Get(), bytes) && FlushFileBuffers(file.Get());
}

}  // namespace

bool Win32FileSystem::FileExists(const std::string& path) {
  const DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::FolderExists(const std::string& path) {
  const DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::IsReadOnly(const std::string& path) {
  const DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

std::optional<std::vector<std::uint8_t>> Win32FileSystem::ReadAll(const std::string& path, std::size_t maxBytes) {
  // Shared for deletion too, so that a reader never makes another program's replacing save fail.
  const UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0 ||
      static_cast<unsigned long long>(size.QuadPart) > maxBytes)
    return std::nullopt;
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size.QuadPart));
  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min(bytes.size() - done, kChunk));
    DWORD got = 0;
    if (!ReadFile(file.Get(), bytes.data() + done, chunk, &got, nullptr)) return std::nullopt;
    if (got == 0) return std::nullopt;  // the file shrank while we read it
    done += got;
  }
  return bytes;
}

namespace {

// Another program that has the file open for a moment (a virus scanner, a backup, a reader that
// does not share deletion) makes the replacing move fail; it is tried again for about a second.
bool ReplaceWithRetry(const char* temporary, const std::string& path) {
  constexpr int kTries = 40;
  constexpr DWORD kPauseMs = 25;
  for (int attempt = 1;; ++attempt) {
    if (MoveFileExA(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    const DWORD error = GetLastError();
    if (attempt == kTries || (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED)) return false;
    Sleep(kPauseMs);
  }
}

}  // namespace

std::optional<std::uint64_t> Win32FileSystem::FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    return std::nullopt;
  return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool Win32FileSystem::WriteAtomic(const std::string& path, std::span<const std::uint8_t> bytes) {
  // A read-only file stays as it is; the replacing move below might otherwise succeed.
  if (IsReadOnly(path) || FolderExists(path)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return false;
  }
  char temporary[MAX_PATH] = {};
  if (GetTempFileNameA(FolderOf(path).c_str(), "bw", 0, temporary) == 0) return false;
  if (FillTemporary(temporary, bytes) && ReplaceWithRetry(temporary, path)) return true;
  const DWORD error = GetLastError();  // the reason, not the clean-up's outcome
  DeleteFileA(temporary);
  SetLastError(error);
  return false;
}

bool Win32FileSystem::Rename(const std::string& from, const std::string& to) {
  return MoveFileA(from.c_str(), to.c_str()) != FALSE;
}

bool Win32FileSystem::RenameReplacing(const std::string& from, const std::string& to) {
  return MoveFileExA(from.c_str(), to.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool Win32FileSystem::Copy(const std::string& from, const std::string& to) {
  return CopyFileA(from.c_str(), to.c_str(), FALSE) != FALSE;
}

bool Win32FileSystem::Delete(const std::string& path) { return DeleteFileA(path.c_str()) != FALSE; }

bool Win32FileSystem::CreateFolders(const std::string& path) {
  if (path.empty()) return false;
  // Every parent in turn; failures on the way (a drive, a UNC server) show in the final check.
  for (std::size_t i = 1; i < path.size(); ++i) {
    if (IsDelimiter(path[i]) && !IsDelimiter(path[i - 1]) && path[i - 1] != ':')
      CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
  }
  CreateDirectoryA(path.c_str(), nullptr);
  return FolderExists(path);
}

std::string Win32FileSystem::LastErrorText() {
  const DWORD error = GetLastError();
  char text[1024] = {};
  const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                                      text, sizeof text, nullptr);
  std::string message(text, std::min<std::size_t>(length, sizeof text));
  while (!message.empty() && (message.back() == '\r' || message.back() == '\n' || message.back() == ' '))
    message.pop_back();
  return message;
}

}  // namespace bw::platform
