// The block commands on the lines selected in the C/AL editor: indent, un-indent, comment
// and uncomment. The selection is learnt through the clipboard (the user's clipboard content
// is kept and put back), then edited line by line with keys, from the bottom line upwards.
#pragma once

#include <chrono>
#include <string_view>

#include "editor/block_operation.h"
#include "editor/typing_pace.h"
#include "platform/clipboard.h"
#include "platform/clock.h"
#include "platform/desktop.h"
#include "platform/keyboard.h"
#include "platform/messages.h"
#include "platform/user_input.h"

namespace bw {

inline constexpr std::string_view kRepeatCaption = "Brackwater for Dynamics NAV";
inline constexpr std::string_view kRepeatQuestion = "Do you want to repeat (un)indentation ?";
inline constexpr std::string_view kClipboardError = "Cannot open clipboard";

// The clipboard is read this often after the copy chord (each try waits this retry pause, the
// copy chord again when the read failed; about 1 to 2 s in all) before the selection is taken
// as empty.
inline constexpr int kCopyTries = 20;
inline constexpr std::chrono::milliseconds kCopyRetryPause{50};

// The pauses after the caret keys of one pass (the keys that edit a line wait the typing
// pace's character pause instead).
inline constexpr std::chrono::milliseconds kLinePause{50};
inline constexpr std::chrono::milliseconds kDownPause{5};
inline constexpr std::chrono::milliseconds kPassEndPause{10};

struct BlockCommandContext {
  platform::Desktop& desktop;
  platform::Keyboard& keyboard;
  platform::UserInput& input;
  platform::Clipboard& clipboard;
  platform::Clock& clock;
  platform::Messages& messages;
  // The preferences' pace: its character pause follows each character typed and each Delete.
  TypingPace pace{};
};

// The confirmation asked before the command ("Perform indentation ?" and so on).
std::string_view BlockQuestion(BlockOperation operation);

// Runs one block command on the foreground window's focus window. A refused question ends it
// silently, with the clipboard untouched. Once it goes ahead the clipboard's content is kept
// and put back at the end; when the clipboard cannot be emptied first, or put back, an error
// box says so (and in the first case the command ends).
// Errors of the platform propagate after input, drawing, thread attachment and clipboard
// have been released.
void BlockCommand(const BlockCommandContext& context, BlockOperation operation);

}  // namespace bw
