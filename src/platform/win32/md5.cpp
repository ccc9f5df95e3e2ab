#include "platform/md5.h"

#include <windows.h>
#include <wincrypt.h>

#include <stdexcept>

namespace bw::platform {

namespace {
struct Provider {
  HCRYPTPROV handle = 0;
  ~Provider() { if (handle) CryptReleaseContext(handle, 0); }
};
struct Hash {
  HCRYPTHASH handle = 0;
  ~Hash() { if (handle) CryptDestroyHash(handle); }
};
}  // namespace

std::array<std::uint8_t, 16> Md5(std::span<const std::uint8_t> bytes) {
  Provider provider;
  Hash hash;
  std::array<std::uint8_t, 16> digest{};
  DWORD length = static_cast<DWORD>(digest.size());
  if (!CryptAcquireContextA(&provider.handle, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT) ||
      !CryptCreateHash(provider.handle, CALG_MD5, 0, 0, &hash.handle) ||
      !CryptHashData(hash.handle, bytes.data(), static_cast<DWORD>(bytes.size()), 0) ||
      !CryptGetHashParam(hash.handle, HP_HASHVAL, digest.data(), &length, 0) || length != digest.size())
    throw std::runtime_error("MD5 digest failed");
  return digest;
}

}  // namespace bw::platform
