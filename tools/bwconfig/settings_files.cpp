#include "settings_files.h"

#include "command.h"
#include "json_settings.h"
#include "settings/component_stream.h"
#include "settings/config_file.h"
#include "settings/file_cipher.h"
#include "base/text_case.h"

namespace bw::bwconfig {

namespace {

// JSON spells every control byte as six characters, so it may be larger than the stream.
constexpr std::size_t kMaxJsonBytes = 4 * kMaxConfigFileBytes;

struct FormatEntry {
  SettingsFormat format;
  std::string_view name;
  std::string_view extension;
};
constexpr FormatEntry kFormats[] = {
    {SettingsFormat::Config, "config", ".config"},
    {SettingsFormat::Stream, "stream", ".stream"},
    {SettingsFormat::Json, "json", ".json"},
};

std::unique_ptr<TStorage> ParseStream(std::span<const std::uint8_t> bytes, const std::string& path,
                                      std::string_view what) {
  try {
    return ReadComponentStream(bytes);
  } catch (const StreamError& e) {
    throw ToolError(path + ": " + std::string(what) + " (" + e.what() + ")");
  }
}

}  // namespace

std::optional<SettingsFormat> FormatByName(std::string_view name) {
  for (const auto& entry : kFormats)
    if (entry.name == name) return entry.format;
  return std::nullopt;
}

std::optional<SettingsFormat> FormatByExtension(std::string_view path) {
  for (const auto& entry : kFormats)
    if (path.size() > entry.extension.size() &&
        EqualsIgnoringCase(path.substr(path.size() - entry.extension.size()), entry.extension))
      return entry.format;
  return std::nullopt;
}

std::string_view FormatName(SettingsFormat format) {
  for (const auto& entry : kFormats)
    if (entry.format == format) return entry.name;
  return "?";
}

std::unique_ptr<TStorage> ReadSettingsFile(platform::FileSystem& files, const std::string& path, SettingsFormat format) {
  if (!files.FileExists(path)) throw ToolError(path + ": no such file");
  const std::size_t limit = format == SettingsFormat::Json ? kMaxJsonBytes : kMaxConfigFileBytes;
  const auto bytes = files.ReadAll(path, limit);
  if (!bytes) throw ToolError(path + ": cannot be read, or is larger than " + std::to_string(limit >> 20) + " MiB");

  switch (format) {
    case SettingsFormat::Config: {
      const auto plain = DecipherSettings(*bytes);
      if (!plain) throw ToolError(path + ": not an enciphered settings file (too short, or a broken last block)");
      return ParseStream(*plain, path, "does not decipher to settings; wrong file or damaged");
    }
    case SettingsFormat::Stream:
      return ParseStream(*bytes, path, "not a settings record stream");
    case SettingsFormat::Json:
      try {
        const std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
        return ReadSettingsJson(text);
      } catch (const JsonSettingsError& e) {
        throw ToolError(path + ": " + e.what());
      }
  }
  throw ToolError(path + ": unknown format");
}

std::vector<std::uint8_t> EncodeSettings(const TStorage& root, SettingsFormat format) {
  switch (format) {
    case SettingsFormat::Config: return EncipherSettings(WriteComponentStream(root));
    case SettingsFormat::Stream: return WriteComponentStream(root);
    case SettingsFormat::Json: {
      const std::string text = WriteSettingsJson(root);
      return std::vector<std::uint8_t>(text.begin(), text.end());
    }
  }
  return {};
}

void WriteSettingsFile(platform::FileSystem& files, const std::string& path, std::span<const std::uint8_t> bytes) {
  if (!files.WriteAtomic(path, bytes)) throw ToolError(path + ": cannot be written");
}

}  // namespace bw::bwconfig
