#include "platform/win32/win32_clipboard.h"

#include <windows.h>

#include <cstring>

#include "platform/win32/window_handle.h"

namespace bw::platform {
namespace {

// A global memory block owned until handed to the clipboard.
class GlobalBlock {
public:
  explicit GlobalBlock(SIZE_T size) : memory_(GlobalAlloc(GMEM_MOVEABLE, size)) {}
  ~GlobalBlock() {
    if (memory_) GlobalFree(memory_);
  }
  GlobalBlock(const GlobalBlock&) = delete;
  GlobalBlock& operator=(const GlobalBlock&) = delete;
  HGLOBAL Get() const { return memory_; }
  void Release() { memory_ = nullptr; }

private:
  HGLOBAL memory_;
};

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

}  // namespace

Win32Clipboard::Win32Clipboard(WindowId owner) : owner_(owner) {
  if (owner_ != kNoWindow) return;
  owner_ = FromHwnd(CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr), nullptr));
  ownWindow_ = owner_ != kNoWindow;
}

Win32Clipboard::~Win32Clipboard() {
  if (ownWindow_) DestroyWindow(ToHwnd(owner_));
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

bool Win32Clipboard::Empty() { return EmptyClipboard() != FALSE; }

bool Win32Clipboard::WriteText(std::string_view text) {
  if (!EmptyClipboard()) return false;
  GlobalBlock block(text.size() + 1);
  if (!block.Get()) return false;
  {
    const GlobalView view(block.Get());
    if (!view.Data()) return false;
    if (!text.empty()) std::memcpy(view.Data(), text.data(), text.size());
    view.Data()[text.size()] = '\0';
  }
  if (!SetClipboardData(CF_TEXT, block.Get())) return false;
  block.Release();  // the clipboard owns it now
  return true;
}

}  // namespace bw::platform
