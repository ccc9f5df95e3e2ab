#include "platform/native/file_registry.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "base/text_case.h"

namespace bw::platform {
namespace {

constexpr std::size_t kMaxFileBytes = std::size_t{1} << 20;

std::string NormalKey(std::string_view key) {
  while (!key.empty() && key.front() == '\\') key.remove_prefix(1);
  while (!key.empty() && key.back() == '\\') key.remove_suffix(1);
  return std::string(key);
}

// Bytes that would break the line format are written as %XX.
std::string Escape(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const char ch : text) {
    const auto byte = static_cast<unsigned char>(ch);
    if (byte < 0x20 || byte == 0x7F || ch == '%' || ch == '=' || ch == '[' || ch == ']') {
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 15];
    } else {
      out += ch;
    }
  }
  return out;
}

int HexDigit(char ch) {
  if (ch >= '0' && ch <= '9') return ch - '0';
  if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
  if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
  return -1;
}

std::string Unescape(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 && HexDigit(text[i + 2]) >= 0) {
      out += static_cast<char>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2]));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

}  // namespace

bool FileRegistry::NoCase::operator()(std::string_view a, std::string_view b) const {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(LowerAscii(x)) < static_cast<unsigned char>(LowerAscii(y));
  });
}

FileRegistry::FileRegistry(std::string path) : path_(std::move(path)) { LoadFile(); }

std::optional<std::string> FileRegistry::ReadString(std::string_view key, std::string_view name) {
  std::lock_guard lock(mutex_);
  const auto found = keys_.find(NormalKey(key));
  if (found == keys_.end()) return std::nullopt;
  const auto value = found->second.find(name);
  if (value == found->second.end()) return std::nullopt;
  return value->second;
}

bool FileRegistry::WriteString(std::string_view key, std::string_view name, std::string_view data) {
  std::lock_guard lock(mutex_);
  const auto before = keys_;
  keys_[NormalKey(key)].insert_or_assign(std::string(name), std::string(data));
  if (SaveFile()) return true;
  keys_ = before;
  return false;
}

bool FileRegistry::DeleteValue(std::string_view key, std::string_view name) {
  std::lock_guard lock(mutex_);
  const auto found = keys_.find(NormalKey(key));
  if (found == keys_.end()) return true;
  const auto value = found->second.find(name);
  if (value == found->second.end()) return true;
  const auto before = keys_;
  found->second.erase(value);
  if (SaveFile()) return true;
  keys_ = before;
  return false;
}

bool FileRegistry::DeleteKey(std::string_view key) {
  std::lock_guard lock(mutex_);
  const auto found = keys_.find(NormalKey(key));
  if (found == keys_.end()) return true;
  const auto before = keys_;
  keys_.erase(found);
  if (SaveFile()) return true;
  keys_ = before;
  return false;
}

void FileRegistry::LoadFile() {
  if (path_.empty()) return;
  std::ifstream in(path_, std::ios::binary);
  if (!in) return;
  std::string line;
  Values* current = nullptr;
  std::size_t total = 0;
  while (std::getline(in, line) && (total += line.size() + 1) <= kMaxFileBytes) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      current = &keys_[NormalKey(Unescape(std::string_view(line).substr(1, line.size() - 2)))];
    } else if (const auto equals = line.find('='); current && equals != std::string::npos) {
      current->insert_or_assign(Unescape(std::string_view(line).substr(0, equals)),
                                Unescape(std::string_view(line).substr(equals + 1)));
    }
  }
}

bool FileRegistry::SaveFile() const {
  if (path_.empty()) return true;
  std::ostringstream text;
  for (const auto& [key, values] : keys_) {
    text << '[' << Escape(key) << "]\n";
    for (const auto& [name, data] : values) text << Escape(name) << '=' << Escape(data) << '\n';
  }
  const std::string bytes = text.str();
  const std::string temp = path_ + ".tmp";
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  std::size_t written = 0;
  while (written < bytes.size()) {
    const auto n = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (n <= 0) break;
    written += static_cast<std::size_t>(n);
  }
  const bool ok = written == bytes.size() && ::fsync(fd) == 0;
  ::close(fd);
  if (!ok || std::rename(temp.c_str(), path_.c_str()) != 0) {
    ::unlink(temp.c_str());
    return false;
  }
  return true;
}

}  // namespace bw::platform
