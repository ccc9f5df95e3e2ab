#include "editor/insert_confirmation.h"

namespace bw {

bool InsertConfirmation(std::string_view rawText, bool confirmed, LastTagState lastTag) {
  bool ask = !confirmed && (rawText.find("\r\n") != std::string_view::npos ||
                            rawText.find('|') != std::string_view::npos);
  if (lastTag == LastTagState::Asked) ask = false;
  if (lastTag == LastTagState::Silent) ask = true;
  return ask;
}

}  // namespace bw
