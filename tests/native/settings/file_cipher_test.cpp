#include "settings/file_cipher.h"

#include <gtest/gtest.h>

#include <random>
#include <string_view>

#include "platform/md5.h"
#include "settings/blowfish_tables.h"
#include "settings/settings_cipher.h"

namespace bw {
namespace {

// Textbook Blowfish over the same tables, to check them against published test vectors.
class StandardBlowfish {
public:
  explicit StandardBlowfish(std::span<const std::uint8_t> key) : p_(blowfish::kInitialP), s_(blowfish::kInitialS) {
    std::size_t k = 0;
    for (auto& word : p_) {
      std::uint32_t data = 0;
      for (int i = 0; i < 4; ++i, k = (k + 1) % key.size()) data = data << 8 | key[k];
      word ^= data;
    }
    std::uint32_t l = 0, r = 0;
    for (std::size_t i = 0; i < 18; i += 2) Encrypt(l, r), p_[i] = l, p_[i + 1] = r;
    for (auto& box : s_)
      for (std::size_t j = 0; j < 256; j += 2) Encrypt(l, r), box[j] = l, box[j + 1] = r;
  }
  void Encrypt(std::uint32_t& l, std::uint32_t& r) const {
    for (int i = 0; i < 16; ++i) {
      l ^= p_[static_cast<std::size_t>(i)];
      r ^= ((s_[0][l >> 24] + s_[1][l >> 16 & 255]) ^ s_[2][l >> 8 & 255]) + s_[3][l & 255];
      std::swap(l, r);
    }
    std::swap(l, r);
    r ^= p_[16];
    l ^= p_[17];
  }

private:
  std::array<std::uint32_t, 18> p_;
  std::array<std::array<std::uint32_t, 256>, 4> s_;
};

TEST(BlowfishTables, GiveThePublishedTestVectors) {
  struct Vector {
    std::uint8_t keyByte;
    std::uint32_t l, r, expectL, expectR;
  };
  for (const auto& v : {Vector{0x00, 0, 0, 0x4EF99745, 0x6198DD78},
                        Vector{0xFF, 0xFFFFFFFF, 0xFFFFFFFF, 0x51866FD5, 0xB85ECB8A},
                        Vector{0x11, 0x11111111, 0x11111111, 0x2466DD87, 0x8B963C9D}}) {
    const std::array<std::uint8_t, 8> key{v.keyByte, v.keyByte, v.keyByte, v.keyByte,
                                          v.keyByte, v.keyByte, v.keyByte, v.keyByte};
    std::uint32_t l = v.l, r = v.r;
    StandardBlowfish(key).Encrypt(l, r);
    EXPECT_EQ(l, v.expectL);
    EXPECT_EQ(r, v.expectR);
  }
}

std::array<std::uint8_t, 16> SettingsKey() {
  constexpr std::string_view phrase = "Brackw8r";
  return platform::Md5(std::span(reinterpret_cast<const std::uint8_t*>(phrase.data()), phrase.size()));
}

TEST(SettingsCipher, RoundsCancelToTwoMaskWordsAndTheTransformIsItsOwnInverse) {
  const SettingsCipher cipher(SettingsKey());
  std::mt19937 random(7);
  for (int n = 0; n < 200; ++n) {
    std::array<std::uint8_t, 8> block;
    for (auto& byte : block) byte = static_cast<std::uint8_t>(random());
    auto masked = block;
    for (int i = 0; i < 4; ++i) {
      masked[static_cast<std::size_t>(i)] ^= static_cast<std::uint8_t>(cipher.LeftMask() >> (8 * i));
      masked[static_cast<std::size_t>(4 + i)] ^= static_cast<std::uint8_t>(cipher.RightMask() >> (8 * i));
    }
    auto encrypted = block;
    cipher.Encrypt(encrypted);
    EXPECT_EQ(encrypted, masked);
    auto decrypted = block;
    cipher.Decrypt(decrypted);
    EXPECT_EQ(decrypted, masked);
    cipher.Encrypt(encrypted);
    EXPECT_EQ(encrypted, block);
  }
}

std::vector<std::uint8_t> Sequence(std::size_t size) {
  std::vector<std::uint8_t> bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(i * 37 + 11);
  return bytes;
}

// The last block, deciphered: its byte 7 is the count.
std::array<std::uint8_t, 8> LastBlock(const std::vector<std::uint8_t>& file) {
  std::array<std::uint8_t, 8> block;
  std::copy(file.end() - 8, file.end(), block.begin());
  SettingsCipher(SettingsKey()).Decrypt(block);
  return block;
}

TEST(FileCipher, FramingAddsAFinalBlockWithTheCount) {
  const auto empty = EncipherSettings({});
  ASSERT_EQ(empty.size(), 8u);
  EXPECT_EQ(LastBlock(empty), (std::array<std::uint8_t, 8>{}));
  EXPECT_EQ(DecipherSettings(empty), std::vector<std::uint8_t>{});

  const auto sixteen = EncipherSettings(Sequence(16));
  EXPECT_EQ(sixteen.size(), 24u);
  EXPECT_EQ(LastBlock(sixteen)[7], 0);

  const auto eleven = EncipherSettings(Sequence(11));
  EXPECT_EQ(eleven.size(), 16u);
  const auto last = LastBlock(eleven);
  EXPECT_EQ(last, (std::array<std::uint8_t, 8>{Sequence(11)[8], Sequence(11)[9], Sequence(11)[10], 0, 0, 0, 0, 3}));
}

TEST(FileCipher, RoundTripsEveryLength) {
  for (std::size_t size : {0, 1, 7, 8, 9, 15, 16, 17, 63, 64, 65, 1000, 4093, 65536, 100003}) {
    const auto plain = Sequence(size);
    const auto file = EncipherSettings(plain);
    EXPECT_EQ(file.size(), (size / 8 + 1) * 8);
    EXPECT_EQ(DecipherSettings(file), plain) << size;
  }
}

TEST(FileCipher, BrokenFramingIsRefused) {
  EXPECT_EQ(DecipherSettings(std::vector<std::uint8_t>(7)), std::nullopt);

  auto file = EncipherSettings(Sequence(20));
  std::array<std::uint8_t, 8> last = LastBlock(file);
  last[7] = 9;
  SettingsCipher(SettingsKey()).Encrypt(last);
  std::copy(last.begin(), last.end(), file.end() - 8);
  EXPECT_EQ(DecipherSettings(file), std::nullopt);

  // Bytes after the last whole block are ignored.
  auto trailing = EncipherSettings(Sequence(20));
  trailing.insert(trailing.end(), {1, 2, 3});
  EXPECT_EQ(DecipherSettings(trailing), Sequence(20));
}

TEST(FileCipher, KeyAndTablesAreFixed) {
  // Changing the pass phrase or the tables would make every saved file unreadable.
  const std::vector<std::uint8_t> plain{'T', 'P', 'F', '0'};
  const auto file = EncipherSettings(plain);
  EXPECT_EQ(file, (std::vector<std::uint8_t>{0xB4, 0x96, 0xE3, 0xE3, 0x64, 0x26, 0x69, 0xF5}));
}

}  // namespace
}  // namespace bw
