// Keeping a configuration's client settings files (one per screen resolution) in step with its name.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/file_listing.h"
#include "platform/file_system.h"

namespace bw {

struct ZupFolder {
  platform::FileSystem& files;
  platform::FileListing& listing;
};

// The name part of a configuration's settings files: its name, with every character that could
// lead out of the folder or is no file-name character (delimiters, ":", the characters the dialog
// refuses in a name, control characters) replaced by "_". The configuration keeps its name.
std::string ZupFileNamePart(std::string_view configName);

// The files of configuration `name` in zupDir: name, "(", anything, ".zup". The name must match
// exactly (case included), so Dev's files never include Dev2(...).zup or MyDev(...).zup.
bool IsZupFileOf(std::string_view fileName, std::string_view configName);

// Moves every settings file of oldName to newName, keeping its resolution suffix. A file whose
// target exists, or whose move fails, is left as it is. Returns the number of files moved.
int RenameZupFiles(ZupFolder& folder, std::string_view zupDir, std::string_view oldName, std::string_view newName);

// Deletes every settings file of the configuration. Returns the number of files deleted.
int DeleteZupFiles(ZupFolder& folder, std::string_view zupDir, std::string_view name);

}  // namespace bw
