// The system's open-file and save-file dialogs.
#pragma once

#include <optional>
#include <string>

namespace bw::platform {

struct OpenFileRequest {
  std::string folder;    // where the dialog starts; empty for the system's choice
  std::string fileName;  // filled in at the start; may be empty
  // Pairs of description and pattern, all parts joined by "|":
  // "Executable Files (*.exe)|*.exe|All files (*.*)|*.*".
  std::string filter;
  std::string title;
  std::string defaultExtension;  // as for SaveFileRequest; empty for none
};

struct SaveFileRequest {
  std::string fileName;          // filled in at the start; may be empty
  std::string filter;            // as for OpenFileRequest
  std::string title;
  std::string defaultExtension;  // added to a name typed without one, without the dot ("tml")
};

class FileDialogs {
public:
  virtual ~FileDialogs() = default;
  // The chosen file, which exists; nullopt when the user cancels.
  virtual std::optional<std::string> OpenFile(const OpenFileRequest& request) = 0;
  // The chosen file name, in an existing folder; an existing file is not asked about. nullopt
  // when the user cancels.
  virtual std::optional<std::string> SaveFile(const SaveFileRequest& request) = 0;
};

}  // namespace bw::platform
