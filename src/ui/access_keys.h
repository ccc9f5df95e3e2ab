// Access keys of captions: the character after a "&" is drawn underlined and is pressed with Alt.
#pragma once

#include <string_view>

namespace bw {

// The access key of a caption, upper-cased: the character after its first "&" that does not
// stand for itself ("&&" shows one "&"); '\0' when it has none.
char AccessKeyOf(std::string_view caption);

// Whether `key`, in either case, is the access key of `caption`.
bool HasAccessKey(std::string_view caption, char key);

}  // namespace bw
