#include "clipboard_text.h"

#include <cstring>

namespace bw::calclient {

namespace {

class OpenClipboardScope {
public:
  explicit OpenClipboardScope(HWND owner) {
    for (int attempt = 0; attempt < 10 && !open_; ++attempt) {
      open_ = OpenClipboard(owner) != FALSE;
      if (!open_) Sleep(10);
    }
  }
  OpenClipboardScope(const OpenClipboardScope&) = delete;
  OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
  ~OpenClipboardScope() {
    if (open_) CloseClipboard();
  }
  bool IsOpen() const { return open_; }

private:
  bool open_ = false;
};

class GlobalBlock {
public:
  explicit GlobalBlock(std::size_t size) : memory_(GlobalAlloc(GMEM_MOVEABLE, size)) {}
  GlobalBlock(const GlobalBlock&) = delete;
  GlobalBlock& operator=(const GlobalBlock&) = delete;
  ~GlobalBlock() {
    if (memory_ != nullptr) GlobalFree(memory_);
  }
  HGLOBAL Get() const { return memory_; }
  HGLOBAL Release() {
    HGLOBAL memory = memory_;
    memory_ = nullptr;
    return memory;
  }

private:
  HGLOBAL memory_;
};

}  // namespace

bool PutClipboardText(HWND owner, const std::string& text) {
  GlobalBlock block(text.size() + 1);
  if (block.Get() == nullptr) return false;
  void* target = GlobalLock(block.Get());
  if (target == nullptr) return false;
  std::memcpy(target, text.c_str(), text.size() + 1);
  GlobalUnlock(block.Get());
  const OpenClipboardScope clipboard(owner);
  if (!clipboard.IsOpen() || !EmptyClipboard()) return false;
  if (SetClipboardData(CF_TEXT, block.Get()) == nullptr) return false;
  block.Release();  // the clipboard owns it now
  return true;
}

}  // namespace bw::calclient
