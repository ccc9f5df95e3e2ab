#include "editor/template_insertion.h"

#include <algorithm>

#include "editor/input_guard.h"
#include "editor/insert_confirmation.h"
#include "editor/typing.h"

namespace bw {
namespace {

// The lines as the editor shows them after TypeText: CR starts a new line, LF is dropped.
// A text ending in CR gives a last, empty line: the one the caret stands on.
std::vector<std::string> TypedLines(std::string_view text) {
  std::vector<std::string> lines(1);
  for (const char c : text) {
    if (c == '\r')
      lines.emplace_back();
    else if (c != '\n')
      lines.back() += c;
  }
  return lines;
}

}  // namespace

std::vector<std::uint16_t> CursorPlacementKeys(std::string_view typedText) {
  const auto lines = TypedLines(typedText);
  const auto marked = std::find_if(lines.begin(), lines.end(),
                                   [](const std::string& line) { return line.find(kCursorMarker) != std::string::npos; });
  if (marked == lines.end()) return {};
  const auto markerLine = static_cast<std::size_t>(marked - lines.begin());

  std::vector<std::uint16_t> keys;
  const auto press = [&](std::uint16_t key, std::size_t times) { keys.insert(keys.end(), times, key); };
  const std::string& last = lines.back();
  press(platform::vk::Left, static_cast<std::size_t>(std::count_if(last.begin(), last.end(),
                                                                   [](char c) { return c != kCursorMarker; })));
  press(platform::vk::Up, lines.size() - 1 - markerLine);
  press(platform::vk::Right, marked->find(kCursorMarker));
  return keys;
}

std::optional<std::string> LongTypingQuestion(std::string_view typedText, TypingPace pace) {
  const auto lines = static_cast<std::size_t>(std::count(typedText.begin(), typedText.end(), '\r')) + 1;
  const auto characters = std::count_if(typedText.begin(), typedText.end(),
                                        [](char c) { return c != '\r' && c != '\n' && c != kCursorMarker; });
  const auto takes = pace.newLine * static_cast<std::int64_t>(lines - 1) + pace.character * characters;
  if (lines <= kLongTypingLines && takes <= kLongTypingTime) return std::nullopt;
  // Many lines typed without pauses still take a moment: never "about 0 minutes".
  const auto minutes = std::max<std::int64_t>(1, std::chrono::ceil<std::chrono::minutes>(takes).count());
  std::string question(kLongTypingQuestion);
  question.replace(question.find("%d"), 2, std::to_string(lines));
  question.replace(question.find("%d"), 2, std::to_string(minutes));
  return question;
}

InsertOutcome InsertTemplateText(const InsertionContext& context, platform::WindowId window, std::string_view given,
                                 bool confirmed) {
  // Our own copy: the text may be the remembered template itself, which remembering replaces.
  const std::string text(given);
  // First of all, so that the repeat-last hotkey offers a template even when it was cancelled.
  if (context.rememberTemplate) context.rememberTemplate(text);
  if (window == platform::kNoWindow) {
    context.messages.Show(platform::MessageKind::Error, kAttachFailed);
    return InsertOutcome::NoWindow;
  }

  const auto expanded = ExpandTemplate(text, context.expansion);
  if (!expanded) return InsertOutcome::Cancelled;
  if (InsertConfirmation(text, confirmed, expanded->lastTag) &&
      !context.messages.Confirm(kConfirmCaption, kInsertTemplateQuestion))
    return InsertOutcome::Cancelled;

  if (const auto question = LongTypingQuestion(expanded->text, context.pace);
      question && !context.messages.Confirm(kConfirmCaption, *question))
    return InsertOutcome::Cancelled;

  {
    InputGuard guard(context.input, context.clock, {.busyCursor = true});
    Poster poster(context.keyboard, context.clock);
    poster.StopOnRequest(context.input);
    if (TypeText(poster, window, expanded->text, context.pace)) {
      for (const std::uint16_t key : CursorPlacementKeys(expanded->text)) poster.PostKey(window, key, kCaretMovePause);
    }
    if (!poster.Stopped()) return InsertOutcome::Typed;
  }
  // Input is back; drawing too (one lock at a time system-wide: the caller's is taken back),
  // so that the editor shows what was typed while the user reads this.
  context.input.LockWindowUpdate(platform::kNoWindow);
  context.messages.Show(platform::MessageKind::Information, kTypingStopped);
  return InsertOutcome::Stopped;
}

}  // namespace bw
