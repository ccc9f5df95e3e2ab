#include "launch/zup_files.h"

#include <string>

#include "base/text_case.h"

namespace bw {

namespace {

constexpr std::string_view kExtension = ".zup";

bool EndsWithExtension(std::string_view name) {
  if (name.size() < kExtension.size()) return false;
  const auto tail = name.substr(name.size() - kExtension.size());
  return LowerAscii(tail) == kExtension;
}

}  // namespace

bool IsZupFileOf(std::string_view fileName, std::string_view configName) {
  if (configName.empty()) return false;
  if (fileName.size() < configName.size() + 1 + kExtension.size()) return false;
  return fileName.starts_with(configName) && fileName[configName.size()] == '(' && EndsWithExtension(fileName);
}

int RenameZupFiles(ZupFolder& folder, std::string_view zupDir, std::string_view oldName, std::string_view newName) {
  if (oldName.empty() || newName.empty() || oldName == newName) return 0;
  const std::string dir(zupDir);
  int moved = 0;
  for (const auto& name : folder.listing.FileNames(dir)) {
    if (!IsZupFileOf(name, oldName)) continue;
    const std::string target = dir + std::string(newName) + name.substr(oldName.size());
    if (folder.files.Rename(dir + name, target)) ++moved;
  }
  return moved;
}

int DeleteZupFiles(ZupFolder& folder, std::string_view zupDir, std::string_view name) {
  if (name.empty()) return 0;
  const std::string dir(zupDir);
  int deleted = 0;
  for (const auto& file : folder.listing.FileNames(dir)) {
    if (IsZupFileOf(file, name) && folder.files.Delete(dir + file)) ++deleted;
  }
  return deleted;
}

}  // namespace bw
