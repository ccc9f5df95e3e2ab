// The four block commands on the lines selected in the C/AL editor.
#pragma once

namespace bw {

// The values match the order of the standard hotkeys Indent, Unindent, Comment, Uncomment.
enum class BlockOperation { Indent = 0, Unindent = 1, Comment = 2, Uncomment = 3 };

}  // namespace bw
