// The settings file's block transform: Blowfish's tables and key schedule, but a round
// function that always reads the block as it was when the transform started.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace bw {

class SettingsCipher {
public:
  // Runs the key schedule for a key of 1 to 72 bytes (the settings key is 16).
  explicit SettingsCipher(std::span<const std::uint8_t> key);

  // The transform on one 8-byte block, halves little-endian, in place.
  void Encrypt(std::span<std::uint8_t, 8> block) const;
  void Decrypt(std::span<std::uint8_t, 8> block) const;

  // Because every round reads the original block, each round value is applied an even number
  // of times and cancels: either direction only XORs the halves with these two words.
  std::uint32_t LeftMask() const { return leftMask_; }
  std::uint32_t RightMask() const { return rightMask_; }

private:
  std::uint32_t F(std::uint8_t w, std::uint8_t x, std::uint8_t y, std::uint8_t z) const;

  std::array<std::uint32_t, 18> p_;
  std::array<std::array<std::uint32_t, 256>, 4> s_;
  std::uint32_t leftMask_ = 0;
  std::uint32_t rightMask_ = 0;
};

}  // namespace bw
