// Typing a template into the editor: remember it for the repeat-last hotkey, expand its tags,
// ask "Insert template ?" where the rule says so, type it with input blocked, and put the
// caret back where the template's "|" stood.
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/posting.h"
#include "editor/template_expansion.h"
#include "editor/typing_pace.h"
#include "platform/clock.h"
#include "platform/keyboard.h"
#include "platform/messages.h"
#include "platform/user_input.h"

namespace bw {

inline constexpr std::string_view kAttachFailed = "Brackwater failed to attach to editor window.";
inline constexpr std::string_view kConfirmCaption = "Confirm";
// The pause after each caret move that places the cursor.
inline constexpr std::chrono::milliseconds kCaretMovePause{10};
// A typing run longer than this (each line waits the pace's new-line pause, each character its
// character pause) is asked for before it starts.
inline constexpr std::chrono::minutes kLongTypingTime{2};
inline constexpr std::size_t kLongTypingLines = 10000;
inline constexpr std::string_view kLongTypingQuestion =
    "This template types %d lines, which takes about %d minutes. Keyboard and mouse stay blocked "
    "meanwhile; Esc stops the typing.\r\n\r\nType it ?";
inline constexpr std::string_view kTypingStopped = "Typing was stopped with Esc. The rest of the template was not typed.";

struct InsertionContext {
  platform::Keyboard& keyboard;
  platform::UserInput& input;
  platform::Clock& clock;
  platform::Messages& messages;
  TemplateServices expansion;
  // The stored user name and password (empty when none). A copy: the tray may store another
  // login while a question of this insertion is open.
  std::string credentialsText;
  // Receives every template passed in: the repeat-last hotkey's text.
  std::function<void(std::string_view)> rememberTemplate;
  // The preferences' pace of the typing (templates and the login alike).
  TypingPace pace{};
};

enum class InsertOutcome {
  NoWindow,   // no focus window: the error box was shown
  Refused,    // the window was not one the text may go to: nothing typed, nothing said
  Cancelled,  // a question was answered No or Cancel: nothing typed
  Stopped,    // the user pressed Esc while it typed: the rest was not typed, the user was told
  Typed,
};

// Expands and types `text` into `window` (which the caller has locked for drawing where it
// should be). `confirmed` is true when the user picked the template in a list. Errors of the
// expansion or the platform propagate after input and cursor have been released.
InsertOutcome InsertTemplateText(const InsertionContext& context, platform::WindowId window, std::string_view text,
                                 bool confirmed);

// The caret moves that take the caret from the end of the typed text back to its first "|":
// Left over the last line (unless the text ended with a line break), Up to the marker's line,
// Right to the marker. Empty when the text holds no marker. The lines are taken as TypeText
// types them: CR ends a line and LF is never typed, so a text with bare LF line breaks stays
// on one line and a text ending in CR leaves the caret at the start of a new line.
std::vector<std::uint16_t> CursorPlacementKeys(std::string_view typedText);

// The question before a long typing run at the given pace, or nothing when the text types
// quickly enough.
std::optional<std::string> LongTypingQuestion(std::string_view typedText, TypingPace pace = {});

}  // namespace bw
