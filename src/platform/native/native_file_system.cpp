#include "platform/native/native_file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace bw::platform {
namespace {

// Closes a descriptor when it goes out of scope.
class Descriptor {
public:
  explicit Descriptor(int fd) : fd_(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

private:
  int fd_;
};

bool Stat(const std::string& path, struct stat& info) { return ::stat(path.c_str(), &info) == 0; }

bool WriteFully(int fd, std::span<const std::uint8_t> bytes) {
  while (!bytes.empty()) {
    const auto n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes = bytes.subspan(static_cast<std::size_t>(n));
  }
  return true;
}

std::string FolderOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

bool NativeFileSystem::FileExists(const std::string& path) {
  struct stat info {};
  return Stat(path, info) && S_ISREG(info.st_mode);
}

bool NativeFileSystem::FolderExists(const std::string& path) {
  struct stat info {};
  return Stat(path, info) && S_ISDIR(info.st_mode);
}

bool NativeFileSystem::IsReadOnly(const std::string& path) {
  struct stat info {};
  return Stat(path, info) && (info.st_mode & S_IWUSR) == 0;
}

std::optional<std::vector<std::uint8_t>> NativeFileSystem::ReadAll(const std::string& path, std::size_t maxBytes) {
  Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (fd.get() < 0) return std::nullopt;
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < 0 ||
      static_cast<std::uint64_t>(info.st_size) > maxBytes)
    return std::nullopt;
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(info.st_size));
  std::size_t filled = 0;
  for (;;) {
    if (filled == bytes.size()) {
      // The file may have grown since fstat; read on, within the limit.
      if (bytes.size() >= maxBytes) {
        std::uint8_t probe;
        if (::read(fd.get(), &probe, 1) != 0) return std::nullopt;
        break;
      }
      bytes.resize(std::min(maxBytes, bytes.size() + 65536));
    }
    const auto n = ::read(fd.get(), bytes.data() + filled, bytes.size() - filled);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return std::nullopt;
    if (n == 0) break;
    filled += static_cast<std::size_t>(n);
  }
  bytes.resize(filled);
  return bytes;
}

std::optional<std::uint64_t> NativeFileSystem::FileSize(const std::string& path) {
  struct stat info {};
  if (!Stat(path, info) || !S_ISREG(info.st_mode) || info.st_size < 0) return std::nullopt;
  return static_cast<std::uint64_t>(info.st_size);
}

bool NativeFileSystem::WriteAtomic(const std::string& path, std::span<const std::uint8_t> bytes) {
  struct stat target {};
  const bool exists = Stat(path, target);
  if (exists && (!S_ISREG(target.st_mode) || (target.st_mode & S_IWUSR) == 0)) {
    errno = S_ISDIR(target.st_mode) ? EISDIR : EACCES;
    return false;
  }

  std::string temp = path + ".XXXXXX";
  Descriptor fd(::mkostemp(temp.data(), O_CLOEXEC));
  if (fd.get() < 0) return false;
  const bool written = (!exists || ::fchmod(fd.get(), target.st_mode & 07777) == 0) && WriteFully(fd.get(), bytes) &&
                       ::fsync(fd.get()) == 0 && fd.Close();
  if (!written || std::rename(temp.c_str(), path.c_str()) != 0) {
    const int error = errno;
    ::unlink(temp.c_str());
    errno = error;
    return false;
  }
  // Make the rename itself durable.
  Descriptor folder(::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.get() >= 0) ::fsync(folder.get());
  return true;
}

bool NativeFileSystem::Rename(const std::string& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  // The file system cannot refuse atomically; check first.
  struct stat info {};
  if (::lstat(to.c_str(), &info) == 0) return false;
  return std::rename(from.c_str(), to.c_str()) == 0;
}

bool NativeFileSystem::RenameReplacing(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

bool NativeFileSystem::Copy(const std::string& from, const std::string& to) {
  constexpr std::size_t kMaxCopy = std::size_t{1} << 30;
  const auto bytes = ReadAll(from, kMaxCopy);
  if (!bytes) return false;
  Descriptor fd(::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
  return fd.get() >= 0 && WriteFully(fd.get(), *bytes) && fd.Close();
}

bool NativeFileSystem::Delete(const std::string& path) { return ::unlink(path.c_str()) == 0; }

bool NativeFileSystem::CreateFolders(const std::string& path) {
  if (path.empty()) return false;
  std::size_t pos = 0;
  while ((pos = path.find('/', pos + 1)) != std::string::npos) ::mkdir(path.substr(0, pos).c_str(), 0755);
  ::mkdir(path.c_str(), 0755);
  return FolderExists(path);
}

std::string NativeFileSystem::LastErrorText() {
  const int error = errno;
  return error == 0 ? std::string() : std::string(std::strerror(error)) + ".";
}

}  // namespace bw::platform
