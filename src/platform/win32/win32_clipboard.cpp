#include "platform/win32/win32_clipboard.h"

#include <windows.h>

#include <cstring>

#include "platform/win32/unique_resource.h"
#include "platform/win32/window_handle.h"

namespace bw::platform {
namespace {

// GlobalLock for one scope.
class GlobalView {
public:
  explicit GlobalView(HGLOBAL memory) : memory_(memory), data_(static_cast<char*>(GlobalLock(memory))) {}
  ~GlobalView() {
    if (data_) GlobalUnlock(memory_);
  }
  GlobalView(const GlobalView&) = delete;
  GlobalView& operator=(const GlobalView&) = delete;
  char* Data() const { return data_; }

private:
  HGLOBAL memory_;
  char* data_;
};

// Whether the clipboard hands out this format as a global memory block. Bitmaps, palettes
// and metafiles are GDI objects (a bitmap is offered as a device-independent bitmap too,
// which is a block); owner-display formats hold nothing; the private ranges hold handles
// whose kind only their owner knows.
bool IsMemoryFormat(UINT format) {
  switch (format) {
    case CF_BITMAP:
    case CF_METAFILEPICT:
    case CF_PALETTE:
    case CF_ENHMETAFILE:
    case CF_OWNERDISPLAY:
    case CF_DSPBITMAP:
    case CF_DSPMETAFILEPICT:
    case CF_DSPENHMETAFILE: return false;
    default: return !(format >= CF_PRIVATEFIRST && format <= CF_GDIOBJLAST);
  }
}

// How long the clipboard's owner may take to answer before its delayed formats are left alone.
constexpr UINT kOwnerAnswerMilliseconds = 500;

}  // namespace

Win32Clipboard::Win32Clipboard(WindowId owner) : owner_(owner) {
  if (owner_ != kNoWindow) return;
  ownWindow_.Reset(CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr), nullptr));
  owner_ = FromHwnd(ownWindow_.Get());
}

bool Win32Clipboard::Open() { return OpenClipboard(ToHwnd(owner_)) != FALSE; }

bool Win32Clipboard::OpenUnowned() { return OpenClipboard(nullptr) != FALSE; }

void Win32Clipboard::Close() { CloseClipboard(); }

std::optional<std::string> Win32Clipboard::ReadText() {
  const HANDLE data = GetClipboardData(CF_TEXT);
  if (!data) return std::nullopt;
  const GlobalView view(data);
  if (!view.Data()) return std::nullopt;
  // The block may be larger than the text; it should end in a NUL but is not trusted to.
  return std::string(view.Data(), strnlen(view.Data(), GlobalSize(data)));
}

std::vector<ClipboardFormat> Win32Clipboard::Formats() {
  std::vector<ClipboardFormat> formats;
  for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format)) {
    ClipboardFormat listed{static_cast<std::uint32_t>(format), {}};
    if (format >= kFirstRegisteredFormat) {
      char name[256];
      const int length = GetClipboardFormatNameA(format, name, static_cast<int>(sizeof name));
      if (length > 0) listed.name.assign(name, static_cast<std::size_t>(length));
    }
    formats.push_back(std::move(listed));
  }
  return formats;
}

bool Win32Clipboard::OwnerAnswers() {
  const HWND owner = GetClipboardOwner();
  if (!owner) return true;
  DWORD_PTR answer = 0;
  // SMTO_BLOCK: this thread's own messages wait meanwhile (the clipboard is open).
  return SendMessageTimeoutA(owner, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, kOwnerAnswerMilliseconds,
                             &answer) != 0;
}

std::optional<std::size_t> Win32Clipboard::SizeOf(std::uint32_t format) {
  if (!IsMemoryFormat(format)) return std::nullopt;
  const HANDLE data = GetClipboardData(format);  // renders a delayed format
  if (!data) return std::nullopt;
  return static_cast<std::size_t>(GlobalSize(data));
}

std::optional<std::string> Win32Clipboard::Read(std::uint32_t format) {
  if (!IsMemoryFormat(format)) return std::nullopt;
  const HANDLE data = GetClipboardData(format);
  if (!data) return std::nullopt;
  const SIZE_T size = GlobalSize(data);
  const GlobalView view(data);
  if (!view.Data()) return std::nullopt;
  return std::string(view.Data(), size);
}

std::uint32_t Win32Clipboard::RegisterFormat(std::string_view name) {
  return RegisterClipboardFormatA(std::string(name).c_str());
}

bool Win32Clipboard::Empty() { return EmptyClipboard() != FALSE; }

bool Win32Clipboard::WriteAll(std::span<const ClipboardItem> items) {
  if (!EmptyClipboard()) return false;
  bool all = true;
  for (const ClipboardItem& item : items) {
    UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE, item.bytes.empty() ? 1 : item.bytes.size()));
    bool filled = false;
    if (block.Get()) {
      const GlobalView view(block.Get());
      if (view.Data()) {
        if (!item.bytes.empty()) std::memcpy(view.Data(), item.bytes.data(), item.bytes.size());
        filled = true;
      }
    }
    if (filled && SetClipboardData(item.format, block.Get()))
      block.Release();  // the clipboard owns it now
    else
      all = false;
  }
  return all;
}

}  // namespace bw::platform
