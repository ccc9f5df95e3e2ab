// Template expansion on arbitrary text. The input is the template, then optionally a NUL and
// the answers to the variable questions, separated by 0x01 (0x02 alone answers Cancel); the
// answers may hold tags themselves. Checks: no crash or hang, the result within its limit and
// within what the template and the answers can make, the same result twice, sane highlights.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "editor/date_time_format.h"
#include "editor/tag_highlight.h"
#include "editor/template_expansion.h"
#include "platform/fake/fixed_local_time.h"
#include "platform/native/english_locale.h"

namespace {

class InputAsker final : public bw::VariableAsker {
public:
  explicit InputAsker(std::vector<std::string_view> answers) : answers_(std::move(answers)) {}

  std::optional<std::string> AskVariable(std::string_view name, std::string_view offered) override {
    ++asked;
    if (answers_.empty()) return std::string(name) + std::string(offered.substr(0, 8));
    const std::string_view answer = answers_[next_++ % answers_.size()];
    if (answer == "\x02") return std::nullopt;
    return std::string(answer);
  }

  std::size_t asked = 0;

private:
  std::vector<std::string_view> answers_;
  std::size_t next_ = 0;
};

struct Outcome {
  bool cancelled = false;
  bool tooLong = false;
  std::string text;
  std::size_t asked = 0;
};

Outcome Expand(std::string_view text, const std::vector<std::string_view>& answers) {
  bw::StringList vars{"Author=Ann", "Company=<<Company>>", "Kept=<<Kept(O)>>"};
  InputAsker asker(answers);
  bw::fake::FixedLocalTime clock({2026, 12, 8, 14, 5, 9, 7});
  const bw::platform::EnglishLocale locale;
  Outcome outcome;
  try {
    const auto expanded = bw::ExpandTemplate(text, {vars, asker, clock, locale});
    if (expanded)
      outcome.text = expanded->text;
    else
      outcome.cancelled = true;
  } catch (const bw::TemplateTooLong&) {
    outcome.tooLong = true;
  }
  outcome.asked = asker.asked;
  return outcome;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const auto split = input.find('\0');
  const std::string_view text = input.substr(0, split);
  std::vector<std::string_view> answers;
  std::size_t longest = 16;  // the made-up answers: a name (from the text) and 8 offered bytes
  if (split != std::string_view::npos) {
    std::string_view rest = input.substr(split + 1);
    while (true) {
      const auto end = rest.find('\x01');
      answers.push_back(rest.substr(0, end));
      if (end == std::string_view::npos) break;
      rest = rest.substr(end + 1);
    }
  }
  for (const auto answer : answers) longest = std::max(longest, answer.size());
  longest = std::max(longest, text.size() + 8);

  const Outcome first = Expand(text, answers);
  if (first.tooLong) return 0;
  // Every question but the three reserved ones comes from a distinct tag of the text.
  if (first.asked > 3 + text.size() / 4) std::abort();
  if (!first.cancelled) {
    if (first.text.size() > bw::kMaxExpandedLength) std::abort();
    // A tag is at least four bytes; a format byte writes at most a long date (plus nesting).
    if (first.text.size() > text.size() * (64 + longest) + 3 * longest) std::abort();
  }
  const Outcome second = Expand(text, answers);
  if (second.cancelled != first.cancelled || second.text != first.text || second.asked != first.asked) std::abort();

  std::size_t end = 0;
  for (const auto& span : bw::HighlightTags(text)) {
    if (span.length < 4 || span.start < end || span.start + span.length > text.size()) std::abort();
    if (text.substr(span.start, 2) != "<<" || text.substr(span.start + span.length - 2, 2) != ">>") std::abort();
    end = span.start + span.length;
  }

  const std::string formatted = bw::FormatDateTime(text.substr(0, 4096), {2026, 12, 8, 0, 0, 0, 0}, bw::platform::EnglishLocale());
  if (formatted.size() > 64 * std::min<std::size_t>(text.size(), 4096) + 64) std::abort();
  return 0;
}
