// Reading and writing a settings tree in each of the three file formats.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "settings/storage.h"

namespace bw::bwconfig {

enum class SettingsFormat { Config, Stream, Json };

// "config", "stream" or "json"; nullopt for anything else.
std::optional<SettingsFormat> FormatByName(std::string_view name);
// By extension (.config, .stream, .json, any case); nullopt for others.
std::optional<SettingsFormat> FormatByExtension(std::string_view path);
std::string_view FormatName(SettingsFormat format);

// The whole file, fully parsed; throws ToolError naming the file and what is wrong with it.
std::unique_ptr<TStorage> ReadSettingsFile(platform::FileSystem& files, const std::string& path, SettingsFormat format);

// The bytes of a tree in a format (JSON with every value, passwords included).
std::vector<std::uint8_t> EncodeSettings(const TStorage& root, SettingsFormat format);

// Writes atomically; throws ToolError when the file cannot be written.
void WriteSettingsFile(platform::FileSystem& files, const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace bw::bwconfig
