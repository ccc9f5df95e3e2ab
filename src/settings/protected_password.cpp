#include "settings/protected_password.h"

#include <algorithm>
#include <array>

namespace bw {
namespace {

constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

void WipeBytes(std::vector<std::uint8_t>& bytes) {
  volatile std::uint8_t* data = bytes.data();
  for (std::size_t i = 0; i < bytes.size(); ++i) data[i] = 0;
  bytes.clear();
}

std::span<const std::uint8_t> BytesOf(std::string_view text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

}  // namespace

std::string EncodeBase64(std::span<const std::uint8_t> bytes) {
  std::string text;
  text.reserve((bytes.size() + 2) / 3 * 4);
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    const std::size_t left = std::min<std::size_t>(3, bytes.size() - i);
    std::uint32_t group = static_cast<std::uint32_t>(bytes[i]) << 16;
    if (left > 1) group |= static_cast<std::uint32_t>(bytes[i + 1]) << 8;
    if (left > 2) group |= bytes[i + 2];
    for (std::size_t k = 0; k < 4; ++k)
      text += k <= left ? kAlphabet[(group >> (18 - 6 * k)) & 0x3F] : '=';
  }
  return text;
}

std::optional<std::vector<std::uint8_t>> DecodeBase64(std::string_view text) {
  if (text.size() % 4 != 0) return std::nullopt;
  std::array<int, 256> value{};
  value.fill(-1);
  for (std::size_t i = 0; i < kAlphabet.size(); ++i) value[static_cast<unsigned char>(kAlphabet[i])] = static_cast<int>(i);
  std::vector<std::uint8_t> bytes;
  bytes.reserve(text.size() / 4 * 3);
  for (std::size_t i = 0; i < text.size(); i += 4) {
    const bool last = i + 4 == text.size();
    std::size_t padding = 0;
    std::uint32_t group = 0;
    for (std::size_t k = 0; k < 4; ++k) {
      const char c = text[i + k];
      if (c == '=' && last && k >= 2) {
        ++padding;
        group <<= 6;
        continue;
      }
      const int v = value[static_cast<unsigned char>(c)];
      if (v < 0 || padding > 0) return std::nullopt;
      group = (group << 6) | static_cast<std::uint32_t>(v);
    }
    // Bits below the last whole byte must be zero, so every text has exactly one form.
    if ((padding == 1 && (group & 0xFF) != 0) || (padding == 2 && (group & 0xFFFF) != 0)) return std::nullopt;
    bytes.push_back(static_cast<std::uint8_t>(group >> 16));
    if (padding < 2) bytes.push_back(static_cast<std::uint8_t>(group >> 8));
    if (padding < 1) bytes.push_back(static_cast<std::uint8_t>(group));
  }
  return bytes;
}

bool IsProtectedPassword(std::string_view stored) { return stored.starts_with(kProtectedPasswordPrefix); }

std::optional<std::string> ProtectPassword(std::string_view clear, platform::SecretProtection& protection) {
  auto sealed = protection.Protect(BytesOf(clear));
  if (!sealed) return std::nullopt;
  return std::string(kProtectedPasswordPrefix) + EncodeBase64(*sealed);
}

std::optional<std::string> UnprotectPassword(std::string_view stored, platform::SecretProtection& protection) {
  if (!IsProtectedPassword(stored)) return std::string(stored);
  const auto sealed = DecodeBase64(stored.substr(kProtectedPasswordPrefix.size()));
  if (!sealed || sealed->empty()) return std::nullopt;
  auto clear = protection.Unprotect(*sealed);
  if (!clear) return std::nullopt;
  std::string text(clear->begin(), clear->end());
  WipeBytes(*clear);
  return text;
}

std::string UsablePassword(std::string_view stored, platform::SecretProtection& protection) {
  auto clear = UnprotectPassword(stored, protection);
  return clear ? std::move(*clear) : std::string();
}

void WipeText(std::string& text) {
  volatile char* data = text.data();
  for (std::size_t i = 0; i < text.size(); ++i) data[i] = 0;
  text.clear();
}

bool PreparePasswordForSave(std::string& password, bool protect, platform::SecretProtection& protection) {
  if (password.empty() || IsProtectedPassword(password) == protect) return true;
  auto changed = protect ? ProtectPassword(password, protection) : UnprotectPassword(password, protection);
  if (!changed) return !protect;
  WipeText(password);
  password = std::move(*changed);
  return true;
}

bool PreparePasswordsForSave(TStorage& root, bool protect, platform::SecretProtection& protection) {
  bool allProtected = true;
  WalkConfigs(ConfigsFolder(root), [&](TConfigStorage& config, int) {
    allProtected = PreparePasswordForSave(config.Password, protect, protection) && allProtected;
  });
  return allProtected;
}

std::vector<std::string> UnreadablePasswordConfigs(const TStorage& root, platform::SecretProtection& protection) {
  std::vector<std::string> names;
  WalkConfigs(ConfigsFolder(root), [&](const TConfigStorage& config, int) {
    if (!IsProtectedPassword(config.Password)) return;
    auto clear = UnprotectPassword(config.Password, protection);
    if (clear) WipeText(*clear);
    else names.push_back(config.ConfigName);
  });
  return names;
}

}  // namespace bw
