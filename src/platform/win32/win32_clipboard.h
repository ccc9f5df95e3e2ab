// The clipboard from the Windows API: its text (CF_TEXT), and every format held in a global
// memory block, copied out and put back byte for byte.
#pragma once

#include "platform/clipboard.h"
#include "platform/win32/unique_resource.h"
#include "platform/window_id.h"

namespace bw::platform {

class Win32Clipboard final : public Clipboard {
public:
  // owner: the program window that opens the clipboard and owns what it writes. Without one,
  // a hidden message-only window is made for that and destroyed with this object.
  // Use from the thread that created the object.
  explicit Win32Clipboard(WindowId owner = kNoWindow);
  Win32Clipboard(const Win32Clipboard&) = delete;
  Win32Clipboard& operator=(const Win32Clipboard&) = delete;

  bool Open() override;
  bool OpenUnowned() override;
  void Close() override;
  std::optional<std::string> ReadText() override;
  std::vector<ClipboardFormat> Formats() override;
  bool OwnerAnswers() override;
  std::optional<std::size_t> SizeOf(std::uint32_t format) override;
  std::optional<std::string> Read(std::uint32_t format) override;
  std::uint32_t RegisterFormat(std::string_view name) override;
  bool Empty() override;
  bool WriteAll(std::span<const ClipboardItem> items) override;

private:
  WindowId owner_ = kNoWindow;
  UniqueWindow ownWindow_;  // the hidden window, when no owner was given
};

}  // namespace bw::platform
