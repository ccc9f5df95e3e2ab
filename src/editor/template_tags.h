// The tag syntax of code templates: "<<" name ">>", where the name runs to the first ">>".
#pragma once

#include <string>
#include <string_view>

namespace bw {

inline constexpr std::string_view kTagOpen = "<<";
inline constexpr std::string_view kTagClose = ">>";
inline constexpr std::string_view kOnceSuffix = "(O)";

// The name of the first tag in the text: the characters between the first "<<" and the first
// ">>" after it. Empty when there is no "<<", no ">>" after it, or nothing between them.
std::string NextTagName(std::string_view text);

// The variable a tag stands for: without its last three characters when the tag holds "(O)"
// (exactly so), otherwise the tag itself.
std::string VariableName(std::string_view tag);

// A once-variable's tag: asked only while the variable has no value. "(O)" in any letter case.
bool IsOnceTag(std::string_view tag);

}  // namespace bw
