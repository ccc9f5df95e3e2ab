#include "clipboard_text.h"

#include <cstring>

#include "platform/win32/unique_resource.h"

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

}  // namespace

bool PutClipboardText(HWND owner, const std::string& text) {
  platform::UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE, text.size() + 1));
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
