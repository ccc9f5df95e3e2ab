#include "editor/insert_confirmation.h"

namespace bw {

InsertQuestion InsertConfirmation(std::string_view rawText, std::string_view expandedText, bool confirmed,
                                  LastTagState lastTag, std::string_view credentialsText) {
  bool ask = !confirmed && (rawText.find("\r\n") != std::string_view::npos ||
                            rawText.find('|') != std::string_view::npos);
  if (lastTag == LastTagState::Asked) ask = false;
  if (lastTag == LastTagState::Silent) ask = true;
  if (!credentialsText.empty() && expandedText == credentialsText) return InsertQuestion::Credentials;
  return ask ? InsertQuestion::Template : InsertQuestion::None;
}

}  // namespace bw
