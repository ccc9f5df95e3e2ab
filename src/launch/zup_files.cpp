#include "launch/zup_files.h"

#include <string>

#include "base/text_case.h"
#include "platform/ansi_text.h"

namespace bw {

namespace {

constexpr std::string_view kExtension = ".zup";
// What a file name never takes from a configuration name; "(" also ends the name part.
constexpr std::string_view kNotInFileName = "/\\:*?\"<>|()";

bool EndsWithExtension(std::string_view name) {
  if (name.size() < kExtension.size()) return false;
  const auto tail = name.substr(name.size() - kExtension.size());
  return LowerAscii(tail) == kExtension;
}

}  // namespace

std::string ZupFileNamePart(std::string_view configName) {
  std::string part(configName);
  for (char& c : part) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F || kNotInFileName.find(c) != std::string_view::npos) c = '_';
  }
  return part;
}

bool IsZupFileOf(std::string_view fileName, std::string_view configName) {
  if (configName.empty()) return false;
  const std::string part = ZupFileNamePart(configName);
  if (fileName.size() < part.size() + 1 + kExtension.size()) return false;
  return fileName.starts_with(part) && fileName[part.size()] == '(' && EndsWithExtension(fileName);
}

namespace {

// ZupDir and configuration names are settings texts (ANSI); the file system takes UTF-8. A file
// whose name has no ANSI form belongs to no configuration and is left alone.
std::vector<std::string> AnsiFileNames(ZupFolder& folder, const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& name : folder.listing.FileNames(platform::AnsiToUtf8(dir)))
    if (auto ansi = platform::Utf8ToAnsi(name)) names.push_back(std::move(*ansi));
  return names;
}

}  // namespace

int RenameZupFiles(ZupFolder& folder, std::string_view zupDir, std::string_view oldName, std::string_view newName) {
  if (oldName.empty() || newName.empty() || oldName == newName) return 0;
  const std::string dir(zupDir);
  const std::string oldPart = ZupFileNamePart(oldName);
  const std::string newPart = ZupFileNamePart(newName);
  if (oldPart == newPart) return 0;
  int moved = 0;
  for (const auto& name : AnsiFileNames(folder, dir)) {
    if (!IsZupFileOf(name, oldName)) continue;
    const std::string target = dir + newPart + name.substr(oldPart.size());
    if (folder.files.Rename(platform::AnsiToUtf8(dir + name), platform::AnsiToUtf8(target))) ++moved;
  }
  return moved;
}

int DeleteZupFiles(ZupFolder& folder, std::string_view zupDir, std::string_view name) {
  if (name.empty()) return 0;
  const std::string dir(zupDir);
  int deleted = 0;
  for (const auto& file : AnsiFileNames(folder, dir)) {
    if (IsZupFileOf(file, name) && folder.files.Delete(platform::AnsiToUtf8(dir + file))) ++deleted;
  }
  return deleted;
}

}  // namespace bw
