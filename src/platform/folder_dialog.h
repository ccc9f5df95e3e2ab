// The system's folder selection dialog.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace bw::platform {

class FolderDialog {
public:
  virtual ~FolderDialog() = default;
  // Asks for a folder under the given title, rooted at the desktop and starting in `start`.
  // `start` and the result are UTF-8 paths.
  // The chosen folder as the system names it (no trailing delimiter promised); nullopt when
  // the user cancels.
  virtual std::optional<std::string> ChooseFolder(std::string_view title, std::string_view start) = 0;
};

}  // namespace bw::platform
