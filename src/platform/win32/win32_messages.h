// Message boxes: modal for the whole thread, centred on the screen, brought to the front.
#pragma once

#include "platform/messages.h"

namespace bw::platform {

class Win32Messages final : public Messages {
public:
  void Show(MessageKind kind, std::string_view text) override;
  bool Confirm(std::string_view caption, std::string_view text) override;
};

}  // namespace bw::platform
