// Settings trees as JSON: one object per record with its class, every persisted field of the
// class (defaults included, in field order) and its children. Texts are converted between the
// ANSI code page and UTF-8, so every byte survives.
#pragma once

#include <cstddef>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "settings/storage.h"

namespace bw::bwconfig {

class JsonSettingsError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

inline constexpr std::string_view kMaskedPassword = "********";
// What "show --passwords" prints for a protected password that cannot be opened.
inline constexpr std::string_view kProtectedPasswordShown = "protected";
// Records nested deeper than this are refused, as in the record stream.
inline constexpr int kMaxJsonRecordDepth = 256;

struct JsonWriteOptions {
  bool maskPasswords = false;  // a non-empty Password is written as kMaskedPassword
};

// Indented JSON text ending in a line break.
std::string WriteSettingsJson(const TStorage& root, const JsonWriteOptions& options = {});

// Throws JsonSettingsError naming the record and field at fault for: text that is not JSON,
// an unknown class or field, a value of the wrong JSON type, an integer outside 32 bits, a
// character without an ANSI byte, or records nested too deeply. Missing fields keep the
// record's construction defaults.
std::unique_ptr<TStorage> ReadSettingsJson(std::string_view text);

}  // namespace bw::bwconfig
