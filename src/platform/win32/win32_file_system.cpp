#include "platform/win32/win32_file_system.h"

#include <windows.h>
#include <aclapi.h>

#include <algorithm>
#include <climits>
#include <string>

#include "base/path_parts.h"
#include "platform/win32/unique_resource.h"
#include "platform/win32/wide_path.h"

namespace bw::platform {

namespace {

// ReadFile and WriteFile move at most a DWORD at a time; stay well below it.
constexpr std::size_t kChunk = 1u << 20;

bool IsDelimiter(char c) { return c == '\\' || c == '/'; }

std::wstring Wide(const std::string& path) { return WidePath(path); }

std::string FolderOf(const std::string& path) {
  std::string_view folder = FolderPart(path);
  if (folder.empty()) return ".";
  const bool root = folder.size() == 1 || (folder.size() == 3 && folder[1] == ':');  // "\" or "C:\"
  if (!root) folder.remove_suffix(1);
  return std::string(folder);
}

DWORD Attributes(const std::string& path) { return GetFileAttributesW(Wide(path).c_str()); }

bool WriteAll(HANDLE file, std::span<const std::uint8_t> bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min(bytes.size(), kChunk));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes = bytes.subspan(written);
  }
  return true;
}

// Fills a temporary file created by GetTempFileNameW and flushes it to the disk.
bool FillTemporary(const wchar_t* temporary, std::span<const std::uint8_t> bytes) {
  const UniqueHandle file(CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
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
  const UniqueHandle file(CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
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

// Puts the temporary file in place of `path`. An existing file is replaced with ReplaceFileW, so
// that it keeps what a plain move would drop: its access list (the stored logins' protection),
// its attributes (hidden, encrypted, ...) and its alternate streams. A missing file, or a file
// system where that cannot be done, gets the plain replacing move.
bool Replace(const wchar_t* temporary, const std::wstring& path) {
  if (ReplaceFileW(path.c_str(), temporary, nullptr, REPLACEFILE_WRITE_THROUGH, nullptr, nullptr)) return true;
  const DWORD error = GetLastError();
  // Sharing conflicts: the caller tries again, and the replaced file is still there.
  if (error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED || error == ERROR_UNABLE_TO_REMOVE_REPLACED)
    return false;
  // Gone (ERROR_FILE_NOT_FOUND), or removed while the temporary file could not be renamed
  // (ERROR_UNABLE_TO_MOVE_REPLACEMENT), or not supported here: the temporary file is moved.
  return MoveFileExW(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

// Gives the temporary file what the file it replaces has, where ReplaceFileW is not there to do
// it (the plain move, file systems or layers that do not merge): the hidden, system and archive
// attributes and the access list, protected from inheritance as it was.
void TakeOverProtection(const std::wstring& path, const wchar_t* temporary) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return;  // a new file: the folder's defaults
  PACL acl = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &acl, nullptr,
                            &descriptor) == ERROR_SUCCESS) {
    const UniqueLocalMemory<void> owned(descriptor);  // the access list lies inside it
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    const bool isProtected = GetSecurityDescriptorControl(descriptor, &control, &revision) && (control & SE_DACL_PROTECTED);
    std::wstring name(temporary);  // the call takes a writable name
    if (acl != nullptr && isProtected)
      SetNamedSecurityInfoW(name.data(), SE_FILE_OBJECT,
                            DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION, nullptr, nullptr, acl,
                            nullptr);
  }
  constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                          FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
  if (attributes & kKept) SetFileAttributesW(temporary, attributes & kKept);
}

// Whether the file can be replaced now: not held by another program without sharing writing
// and deletion. Asked before ReplaceFileW, which may leave temporary files behind when it fails.
bool ReplaceableNow(const std::wstring& path) {
  const UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file) return true;
  return GetLastError() == ERROR_FILE_NOT_FOUND;
}

// Another program that has the file open for a moment (a virus scanner, a backup, a reader that
// does not share deletion) makes the replacement fail; it is tried again for about a second.
bool ReplaceWithRetry(const wchar_t* temporary, const std::wstring& path) {
  constexpr int kTries = 40;
  constexpr DWORD kPauseMs = 25;
  for (int attempt = 1;; ++attempt) {
    if (ReplaceableNow(path) && Replace(temporary, path)) return true;
    const DWORD error = GetLastError();
    const bool busy = error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED ||
                      error == ERROR_UNABLE_TO_REMOVE_REPLACED;
    if (attempt == kTries || !busy) return false;
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
  wchar_t temporary[MAX_PATH] = {};
  if (GetTempFileNameW(Wide(FolderOf(path)).c_str(), L"bw", 0, temporary) == 0) return false;
  const std::wstring target = Wide(path);
  if (FillTemporary(temporary, bytes)) {
    TakeOverProtection(target, temporary);
    if (ReplaceWithRetry(temporary, target)) return true;
  }
  const DWORD error = GetLastError();  // the reason, not the clean-up's outcome
  SetFileAttributesW(temporary, FILE_ATTRIBUTE_NORMAL);
  DeleteFileW(temporary);
  SetLastError(error);
  return false;
}

bool Win32FileSystem::Rename(const std::string& from, const std::string& to) {
  return MoveFileW(Wide(from).c_str(), Wide(to).c_str()) != FALSE;
}

bool Win32FileSystem::RenameReplacing(const std::string& from, const std::string& to) {
  return MoveFileExW(Wide(from).c_str(), Wide(to).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool Win32FileSystem::Copy(const std::string& from, const std::string& to) {
  return CopyFileW(Wide(from).c_str(), Wide(to).c_str(), FALSE) != FALSE;
}

bool Win32FileSystem::Delete(const std::string& path) { return DeleteFileW(Wide(path).c_str()) != FALSE; }

bool Win32FileSystem::CreateFolders(const std::string& path) {
  if (path.empty()) return false;
  // Every parent in turn; failures on the way (a drive, a UNC server) show in the final check.
  for (std::size_t i = 1; i < path.size(); ++i) {
    if (IsDelimiter(path[i]) && !IsDelimiter(path[i - 1]) && path[i - 1] != ':')
      CreateDirectoryW(Wide(path.substr(0, i)).c_str(), nullptr);
  }
  CreateDirectoryW(Wide(path).c_str(), nullptr);
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
