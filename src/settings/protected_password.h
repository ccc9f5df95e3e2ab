// Stored passwords protected by the user's account: the marked text that the settings file
// holds in place of a clear password, and the rules for saving, loading and using them.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/secret_protection.h"
#include "settings/storage.h"

namespace bw {

// A protected password is this prefix followed by the Base64 of the protected bytes.
inline constexpr std::string_view kProtectedPasswordPrefix = "{BW-PROTECTED}";

bool IsProtectedPassword(std::string_view stored);

// The marked text of `clear`; nullopt when the platform refuses to protect it.
std::optional<std::string> ProtectPassword(std::string_view clear, platform::SecretProtection& protection);
// The clear password of a stored one: a clear one as it stands, a protected one opened;
// nullopt when a protected one cannot be opened here (damaged, another user or machine).
std::optional<std::string> UnprotectPassword(std::string_view stored, platform::SecretProtection& protection);
// The password to use: one that cannot be opened counts as empty.
std::string UsablePassword(std::string_view stored, platform::SecretProtection& protection);

// Overwrites the text's bytes before it is cleared, so no clear password stays behind in memory.
void WipeText(std::string& text);

// Holds a clear password while it is used and wipes it when it goes out of scope.
class ClearPassword {
public:
  ClearPassword(std::string_view stored, platform::SecretProtection& protection)
      : text_(UsablePassword(stored, protection)) {}
  ClearPassword(const ClearPassword&) = delete;
  ClearPassword& operator=(const ClearPassword&) = delete;
  ~ClearPassword() { WipeText(text_); }
  const std::string& Text() const { return text_; }

private:
  std::string text_;
};

// Brings one stored password into the form of a save (see below); false when the platform
// refused to protect it.
bool PreparePasswordForSave(std::string& password, bool protect, platform::SecretProtection& protection);

// Wipes a text when it goes out of scope (a clear password in a dialog's values).
class WipeOnExit {
public:
  explicit WipeOnExit(std::string& text) : text_(text) {}
  WipeOnExit(const WipeOnExit&) = delete;
  WipeOnExit& operator=(const WipeOnExit&) = delete;
  ~WipeOnExit() { WipeText(text_); }

private:
  std::string& text_;
};

// The form every password of the tree takes before a save: with `protect` every non-empty clear
// password is protected; without, every protected one that opens is stored in clear again and
// one that does not open stays as it is (it may still open for its owner). False when the
// platform refused to protect a password; that one stays in clear.
bool PreparePasswordsForSave(TStorage& root, bool protect, platform::SecretProtection& protection);

// Names of the configurations whose protected password cannot be opened here, in tree order.
std::vector<std::string> UnreadablePasswordConfigs(const TStorage& root, platform::SecretProtection& protection);

// Base64 (standard alphabet, padded); decoding is strict and gives nullopt on anything else.
std::string EncodeBase64(std::span<const std::uint8_t> bytes);
std::optional<std::vector<std::uint8_t>> DecodeBase64(std::string_view text);

}  // namespace bw
