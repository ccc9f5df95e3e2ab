// A stand-in for the user's registry hive: keys and string values in memory, optionally kept
// in a small text file. Key paths and value names compare without regard to case, as on Windows.
#pragma once

#include <map>
#include <mutex>
#include <optional>
#include <string>

#include "platform/registry.h"

namespace bw::platform {

class FileRegistry : public Registry {
public:
  // In memory only.
  FileRegistry() = default;
  // Reads the file when it exists and writes it back after every change.
  explicit FileRegistry(std::string path);

  std::optional<std::string> ReadString(std::string_view key, std::string_view name) override;
  bool WriteString(std::string_view key, std::string_view name, std::string_view data) override;
  bool DeleteValue(std::string_view key, std::string_view name) override;
  bool DeleteKey(std::string_view key) override;

private:
  struct NoCase {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
  };
  using Values = std::map<std::string, std::string, NoCase>;

  void LoadFile();
  bool SaveFile() const;

  std::string path_;
  std::map<std::string, Values, NoCase> keys_;
  mutable std::mutex mutex_;
};

}  // namespace bw::platform
