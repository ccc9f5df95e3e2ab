// Whether a template about to be typed asks first ("Insert template ?"), and the question asked
// before the stored login is typed.
#pragma once

#include <string_view>

#include "editor/template_expansion.h"

namespace bw {

inline constexpr std::string_view kInsertTemplateQuestion = "Insert template ?";
inline constexpr std::string_view kInsertCredentialsQuestion =
    "Insert username and password ?\r\n\r\nPlease note:\r\n"
    "Brackwater uses advanced checking if the dialog you are inserting username and password are truly the "
    "Navision login dialog.\r\n"
    "This gives you maximum security when inserting personal details. These details cannot be inserted into "
    "any other window.";

// Whether "Insert template ?" is asked. `rawText` is the template as stored; `confirmed` is true
// when the user picked the template in a list.
// A template started by a key asks when it holds CR LF or the cursor marker "|"; one picked
// in a list does not. The last user-variable tag then decides: just asked for, no question
// (the user has seen a dialog); taken silently from a once-variable, the question is asked.
bool InsertConfirmation(std::string_view rawText, bool confirmed, LastTagState lastTag);

}  // namespace bw
