#include "platform/win32/win32_secret_protection.h"

#include <windows.h>
#include <dpapi.h>

#include <memory>
#include <string_view>

#include "platform/win32/unique_resource.h"

namespace bw::platform {
namespace {

// Brackwater's own entropy: another program running as the same user cannot open the
// passwords with the data protection API alone.
constexpr std::string_view kEntropy = "Brackwater stored login 1";


std::optional<std::vector<std::uint8_t>> Run(std::span<const std::uint8_t> input, bool protect) {
  DATA_BLOB in{static_cast<DWORD>(input.size()), const_cast<BYTE*>(input.data())};
  DATA_BLOB entropy{static_cast<DWORD>(kEntropy.size()),
                    reinterpret_cast<BYTE*>(const_cast<char*>(kEntropy.data()))};
  DATA_BLOB out{0, nullptr};
  const BOOL done = protect ? CryptProtectData(&in, L"Brackwater", &entropy, nullptr, nullptr,
                                               CRYPTPROTECT_UI_FORBIDDEN, &out)
                            : CryptUnprotectData(&in, nullptr, &entropy, nullptr, nullptr,
                                                 CRYPTPROTECT_UI_FORBIDDEN, &out);
  if (!done) return std::nullopt;
  const UniqueLocalMemory<BYTE> owned(out.pbData);  // wiped below (it may hold clear bytes), then freed
  std::vector<std::uint8_t> result(out.pbData, out.pbData + out.cbData);
  SecureZeroMemory(out.pbData, out.cbData);
  return result;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> Win32SecretProtection::Protect(std::span<const std::uint8_t> clear) {
  if (clear.size() > 0xFFFF) return std::nullopt;
  return Run(clear, true);
}

std::optional<std::vector<std::uint8_t>> Win32SecretProtection::Unprotect(std::span<const std::uint8_t> sealed) {
  if (sealed.empty() || sealed.size() > 0x100000) return std::nullopt;
  return Run(sealed, false);
}

}  // namespace bw::platform
