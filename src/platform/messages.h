// Modal, screen-centred message boxes.
#pragma once

#include <string_view>

namespace bw::platform {

enum class MessageKind { Error, Warning, Information };

class Messages {
public:
  virtual ~Messages() = default;
  // Caption "Error", "Warning" or "Information", one OK button.
  virtual void Show(MessageKind kind, std::string_view text) = 0;
  // Yes and No, Yes the default, Escape answers No. An empty caption means "Confirm".
  virtual bool Confirm(std::string_view caption, std::string_view text) = 0;
};

}  // namespace bw::platform
