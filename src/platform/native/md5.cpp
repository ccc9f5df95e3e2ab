#include "platform/md5.h"

#include <openssl/evp.h>

#include <stdexcept>

namespace bw::platform {

std::array<std::uint8_t, 16> Md5(std::span<const std::uint8_t> bytes) {
  std::array<std::uint8_t, 16> digest{};
  unsigned int length = 0;
  if (EVP_Digest(bytes.data(), bytes.size(), digest.data(), &length, EVP_md5(), nullptr) != 1 || length != digest.size())
    throw std::runtime_error("MD5 digest failed");
  return digest;
}

}  // namespace bw::platform
