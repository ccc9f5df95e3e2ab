// The current user's registry hive (HKEY_CURRENT_USER). Key paths are relative to the hive,
// with backslashes, for example "Software\\Brackwater\\Config Location".
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace bw::platform {

// Key paths, names and values are UTF-8 text.
class Registry {
public:
  virtual ~Registry() = default;
  // A string value; nullopt when the key or value is missing or cannot be read.
  virtual std::optional<std::string> ReadString(std::string_view key, std::string_view name) = 0;
  // Writes a string value, creating the key when needed. False on failure.
  virtual bool WriteString(std::string_view key, std::string_view name, std::string_view data) = 0;
  // Deletes a value; deleting a missing value succeeds.
  virtual bool DeleteValue(std::string_view key, std::string_view name) = 0;
  // Deletes a key with its values; deleting a missing key succeeds.
  virtual bool DeleteKey(std::string_view key) = 0;
};

}  // namespace bw::platform
