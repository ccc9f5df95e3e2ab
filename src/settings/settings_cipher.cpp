#include "settings/settings_cipher.h"

#include <stdexcept>

#include "settings/blowfish_tables.h"

namespace bw {
namespace {

std::uint32_t LoadLittleEndian(const std::uint8_t* bytes) {
  return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
         static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

void StoreLittleEndian(std::uint32_t value, std::uint8_t* bytes) {
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace

SettingsCipher::SettingsCipher(std::span<const std::uint8_t> key) : p_(blowfish::kInitialP), s_(blowfish::kInitialS) {
  if (key.empty() || key.size() > 72) throw std::invalid_argument("Cipher key must be 1 to 72 bytes");
  std::size_t k = 0;
  for (auto& word : p_) {
    std::uint32_t data = 0;
    for (int i = 0; i < 4; ++i) {
      data = data << 8 | key[k];
      k = (k + 1) % key.size();
    }
    word ^= data;
  }

  std::array<std::uint8_t, 8> block{};
  auto next = [&](std::uint32_t& left, std::uint32_t& right) {
    Encrypt(block);
    left = LoadLittleEndian(block.data());
    right = LoadLittleEndian(block.data() + 4);
  };
  for (std::size_t i = 0; i < p_.size(); i += 2) next(p_[i], p_[i + 1]);
  for (auto& box : s_)
    for (std::size_t j = 0; j < box.size(); j += 2) next(box[j], box[j + 1]);

  for (std::size_t i = 0; i < p_.size(); i += 2) {
    leftMask_ ^= p_[i];
    rightMask_ ^= p_[i + 1];
  }
}

std::uint32_t SettingsCipher::F(std::uint8_t w, std::uint8_t x, std::uint8_t y, std::uint8_t z) const {
  return ((s_[0][w] + s_[1][x]) ^ s_[2][y]) + s_[3][z];
}

void SettingsCipher::Encrypt(std::span<std::uint8_t, 8> b) const {
  const std::array<std::uint8_t, 8> c{b[0], b[1], b[2], b[3], b[4], b[5], b[6], b[7]};
  std::uint32_t left = LoadLittleEndian(c.data());
  std::uint32_t right = LoadLittleEndian(c.data() + 4);
  left ^= p_[0];
  for (std::size_t i = 1; i <= 15; i += 2) {
    right ^= p_[i] ^ F(c[3], c[2], c[1], c[0]);
    left ^= p_[i + 1] ^ F(c[7], c[6], c[5], c[4]);
  }
  right ^= p_[17];
  StoreLittleEndian(left, b.data());
  StoreLittleEndian(right, b.data() + 4);
}

void SettingsCipher::Decrypt(std::span<std::uint8_t, 8> b) const {
  const std::array<std::uint8_t, 8> c{b[0], b[1], b[2], b[3], b[4], b[5], b[6], b[7]};
  std::uint32_t left = LoadLittleEndian(c.data());
  std::uint32_t right = LoadLittleEndian(c.data() + 4);
  right ^= p_[17];
  for (std::size_t i = 16; i >= 2; i -= 2) {
    left ^= p_[i] ^ F(c[7], c[6], c[5], c[4]);
    right ^= p_[i - 1] ^ F(c[3], c[2], c[1], c[0]);
  }
  left ^= p_[0];
  StoreLittleEndian(left, b.data());
  StoreLittleEndian(right, b.data() + 4);
}

}  // namespace bw
