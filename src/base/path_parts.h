// The parts of a file path, split at its last "\" or "/" (both delimit on Windows).
#pragma once

#include <string_view>

namespace bw {

// What follows the last delimiter; the whole path when it has none.
std::string_view FileNamePart(std::string_view path);
// Everything up to and with the last delimiter; empty when the path has none.
std::string_view FolderPart(std::string_view path);

}  // namespace bw
