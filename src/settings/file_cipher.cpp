// Framing of the configuration file: the stream cut into 8-byte blocks, the last block
// always partial, padded with zeros and carrying the number of its bytes in its last byte.
#include "settings/file_cipher.h"

#include <array>
#include <string_view>

#include "platform/md5.h"
#include "settings/settings_cipher.h"

namespace bw {
namespace {

constexpr std::size_t kBlock = 8;
constexpr std::string_view kPassPhrase = "Brackw8r";

// The transform in both directions XORs each block with the same 8 bytes (see
// SettingsCipher), so the framing applies that byte mask instead of running every round.
std::array<std::uint8_t, kBlock> BlockMask() {
  const auto phrase = std::span(reinterpret_cast<const std::uint8_t*>(kPassPhrase.data()), kPassPhrase.size());
  const auto key = platform::Md5(phrase);
  const SettingsCipher cipher(key);
  std::array<std::uint8_t, kBlock> mask{};
  for (int i = 0; i < 4; ++i) {
    mask[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(cipher.LeftMask() >> (8 * i));
    mask[static_cast<std::size_t>(4 + i)] = static_cast<std::uint8_t>(cipher.RightMask() >> (8 * i));
  }
  return mask;
}

void Transform(const std::uint8_t* in, std::uint8_t* out, std::size_t size, const std::array<std::uint8_t, kBlock>& mask) {
  for (std::size_t i = 0; i < size; ++i) out[i] = static_cast<std::uint8_t>(in[i] ^ mask[i % kBlock]);
}

}  // namespace

std::vector<std::uint8_t> EncipherSettings(std::span<const std::uint8_t> plain) {
  const auto mask = BlockMask();
  const std::size_t whole = plain.size() / kBlock * kBlock;
  const std::size_t rest = plain.size() - whole;
  std::vector<std::uint8_t> out(whole + kBlock);
  Transform(plain.data(), out.data(), whole, mask);

  std::array<std::uint8_t, kBlock> last{};
  for (std::size_t i = 0; i < rest; ++i) last[i] = plain[whole + i];
  last[kBlock - 1] = static_cast<std::uint8_t>(rest);
  Transform(last.data(), out.data() + whole, kBlock, mask);
  return out;
}

std::optional<std::vector<std::uint8_t>> DecipherSettings(std::span<const std::uint8_t> file) {
  if (file.size() < kBlock) return std::nullopt;
  const auto mask = BlockMask();
  const std::size_t whole = (file.size() / kBlock - 1) * kBlock;

  std::array<std::uint8_t, kBlock> last{};
  Transform(file.data() + whole, last.data(), kBlock, mask);
  const std::size_t count = last[kBlock - 1];
  if (count >= kBlock) return std::nullopt;

  std::vector<std::uint8_t> plain(whole + count);
  Transform(file.data(), plain.data(), whole, mask);
  for (std::size_t i = 0; i < count; ++i) plain[whole + i] = last[i];
  return plain;
}

}  // namespace bw
