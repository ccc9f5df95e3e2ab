#include "platform/win32/win32_file_versions.h"

#include <windows.h>

#include <cstdio>

#include "platform/win32/wide_path.h"

namespace bw::platform {
namespace {

std::string Ansi(const wchar_t* wide, UINT length) {
  // `length` counts characters, the terminator included when there is one.
  std::wstring_view text(wide, length);
  if (const auto end = text.find(L'\0'); end != std::wstring_view::npos) text = text.substr(0, end);
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                       nullptr);
  if (size <= 0) return {};
  std::string ansi(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), ansi.data(), size, nullptr, nullptr);
  return ansi;
}

}  // namespace

std::optional<VersionBlock> VersionBlock::Load(const std::wstring& path) {
  if (path.empty()) return std::nullopt;
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
  if (size == 0) return std::nullopt;
  VersionBlock block;
  block.data_.resize(size);
  if (!GetFileVersionInfoW(path.c_str(), 0, size, block.data_.data())) return std::nullopt;
  return block;
}

std::optional<FileVersion> VersionBlock::Fixed() const {
  void* fixed = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(data_.data(), L"\\", &fixed, &length) || fixed == nullptr || length < sizeof(VS_FIXEDFILEINFO))
    return std::nullopt;
  const auto* version = static_cast<const VS_FIXEDFILEINFO*>(fixed);
  if (version->dwSignature != VS_FFI_SIGNATURE) return std::nullopt;
  FileVersion out;
  out.major = HIWORD(version->dwFileVersionMS);
  out.minor = LOWORD(version->dwFileVersionMS);
  out.release = HIWORD(version->dwFileVersionLS);
  out.build = LOWORD(version->dwFileVersionLS);
  return out;
}

std::string VersionBlock::Text(std::wstring_view table, std::string_view key) const {
  std::wstring path = L"\\StringFileInfo\\";
  path += table;
  path += L'\\';
  for (const char c : key) path += static_cast<wchar_t>(c);  // keys are ASCII
  void* text = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(data_.data(), path.c_str(), &text, &length) || text == nullptr || length == 0) return {};
  return Ansi(static_cast<const wchar_t*>(text), length);
}

std::string VersionBlock::Text(std::string_view key) const {
  struct Translation {
    WORD language, codePage;
  };
  void* list = nullptr;
  UINT length = 0;
  if (VerQueryValueW(data_.data(), L"\\VarFileInfo\\Translation", &list, &length) && list != nullptr &&
      length >= sizeof(Translation)) {
    const auto* first = static_cast<const Translation*>(list);
    wchar_t table[16];
    std::swprintf(table, 16, L"%04x%04x", first->language, first->codePage);
    if (std::string found = Text(table, key); !found.empty()) return found;
  }
  for (const wchar_t* table : {L"040904E4", L"040904B0"})
    if (std::string found = Text(table, key); !found.empty()) return found;
  return {};
}

std::optional<FileVersion> Win32FileVersions::Read(const std::string& path) {
  const auto block = VersionBlock::Load(WidePath(path));
  if (!block) return std::nullopt;
  auto version = block->Fixed();
  if (version) version->productName = block->Text("ProductName");
  return version;
}

}  // namespace bw::platform
