#include "editor/template_expansion.h"

#include "editor/date_time_format.h"
#include "editor/template_tags.h"
#include "editor/variable_list.h"

namespace bw {
namespace {

constexpr std::string_view kFormClose = ")>>";

// The value of a variable: the stored one, or the user's answer when asked. The answer is
// stored (an empty one removes the variable). nullopt on Cancel.
std::optional<std::string> ResolveVariable(std::string_view name, bool askAlways, StringList& variables,
                                           VariableAsker& asker) {
  std::string value = VariableValue(variables, name);
  if (askAlways || value.empty()) {
    auto answer = asker.AskVariable(name, value);
    if (!answer) return std::nullopt;
    value = std::move(*answer);
  }
  StoreVariable(variables, name, value);
  return value;
}

TemplatePieces ReplaceDateTimePieces(const TemplatePieces& pieces, std::string_view name,
                                     const platform::LocalDateTime& now, const platform::Locale& locale) {
  TagKeys plain;
  plain.Add(name, FormatDateTime(name == "Time" ? "hh:nn:ss" : "dd-mm-yyyy", now, locale));
  TemplatePieces result = ReplaceKeys(pieces, kTagOpen, kTagClose, plain);

  // The format forms are introduced by "<<Date(" in exactly this letter case; each format so
  // introduced then replaces its tag in any letter case. The formatted texts all end up in the
  // result, so their total is held to the same limit.
  const std::string open = std::string(kTagOpen) + std::string(name) + "(";
  TagKeys forms;
  std::size_t formatted = 0;
  for (const auto& piece : result) {
    if (piece.isValue) continue;
    const std::string_view text = piece.text;
    std::size_t from = 0;
    while (true) {
      const auto start = text.find(open, from);
      if (start == std::string_view::npos) break;
      const auto close = text.find(kFormClose, start + open.size());
      if (close == std::string_view::npos) break;  // left as it stands
      const std::string_view format = text.substr(start + open.size(), close - start - open.size());
      if (!forms.Find(format)) {
        std::string value = FormatDateTime(format, now, locale);
        if (value.size() > kMaxExpandedLength - formatted) throw TemplateTooLong();
        formatted += value.size();
        forms.Add(format, std::move(value));
      }
      from = close + kFormClose.size();
    }
  }
  return ReplaceKeys(result, open, kFormClose, forms);
}

// Step 4 of the expansion: each tag from left to right. A tag met for the first time is
// resolved (asked or taken silently); a tag or variable name resolved before gets the same
// value. The asking ends at a "<<" without its ">>" and at "<<>>"; tags resolved so far are
// still replaced in the rest of the text.
std::optional<LastTagState> ReplaceUserVariables(TemplatePieces& pieces, StringList& variables,
                                                 VariableAsker& asker) {
  TagKeys resolved;
  LastTagState state = LastTagState::None;
  bool asking = true;
  PieceWriter writer;
  for (const auto& piece : pieces) {
    if (piece.isValue) {
      writer.Value(piece.text);
      continue;
    }
    const std::string_view text = piece.text;
    std::size_t cursor = 0;                   // text before it is written
    std::size_t search = kTagOpen.size();     // where to look for the next ">>" when not asking
    while (true) {
      if (!asking) {
        cursor = WriteReplacingKeys(writer, text, cursor, search, kTagOpen, kTagClose, resolved);
        break;
      }
      const auto open = text.find(kTagOpen, cursor);
      if (open == std::string_view::npos) break;
      const auto close = text.find(kTagClose, open + kTagOpen.size());
      if (close == std::string_view::npos) {
        asking = false;
        break;
      }
      if (const auto match = resolved.EndingAt(text, cursor, close, kTagOpen)) {
        writer.Text(text.substr(cursor, match->start - cursor));
        writer.Value(*match->value);
        // A match inside the tag at `open` ("<<a <<b>>") leaves that "<<" without its ">>".
        if (match->start != open) asking = false;
        cursor = close + kTagClose.size();
        search = cursor + kTagOpen.size();
        continue;
      }
      const std::string_view tag = text.substr(open + kTagOpen.size(), close - open - kTagOpen.size());
      if (tag.empty()) {
        asking = false;
        search = close + 1;
        continue;
      }
      const bool once = IsOnceTag(tag);
      const std::string name = VariableName(tag);
      state = once && !VariableValue(variables, name).empty() ? LastTagState::Silent : LastTagState::Asked;
      auto value = ResolveVariable(name, !once, variables, asker);
      if (!value) return std::nullopt;
      writer.Text(text.substr(cursor, open - cursor));
      writer.Value(*value);
      resolved.Add(tag, *value);
      resolved.Add(name, std::move(*value));
      cursor = close + kTagClose.size();
      search = cursor + kTagOpen.size();
    }
    writer.Text(text.substr(cursor));
  }
  pieces = writer.Take();
  return state;
}

std::optional<TemplatePieces> ReplaceVariablePieces(const TemplatePieces& pieces, std::string_view tag,
                                                    bool askAlways, StringList& variables, VariableAsker& asker) {
  const std::string name = VariableName(tag);
  auto value = ResolveVariable(name, askAlways, variables, asker);
  if (!value) return std::nullopt;
  TagKeys keys;
  keys.Add(tag, *value);
  keys.Add(name, std::move(*value));
  return ReplaceKeys(pieces, kTagOpen, kTagClose, keys);
}

}  // namespace

std::string ReplaceDateTimeTag(std::string_view text, std::string_view name, const platform::LocalDateTime& now,
                               const platform::Locale& locale) {
  return Join(ReplaceDateTimePieces(PiecesOf(text), name, now, locale));
}

std::optional<std::string> ReplaceVariableTag(std::string_view text, std::string_view tag, bool askAlways,
                                              StringList& variables, VariableAsker& asker) {
  auto pieces = ReplaceVariablePieces(PiecesOf(text), tag, askAlways, variables, asker);
  if (!pieces) return std::nullopt;
  return Join(*pieces);
}

std::optional<ExpandedTemplate> ExpandTemplate(std::string_view text, const TemplateServices& services) {
  const platform::LocalDateTime now = services.clock.Now();
  TemplatePieces pieces = PiecesOf(text);
  pieces = ReplaceDateTimePieces(pieces, "Date", now, services.locale);
  pieces = ReplaceDateTimePieces(pieces, "Time", now, services.locale);
  for (const std::string_view reserved : kReservedVariables) {
    auto replaced = ReplaceVariablePieces(pieces, reserved, false, services.variables, services.asker);
    if (!replaced) return std::nullopt;
    pieces = std::move(*replaced);
  }
  const auto state = ReplaceUserVariables(pieces, services.variables, services.asker);
  if (!state) return std::nullopt;
  return ExpandedTemplate{Join(pieces), *state};
}

}  // namespace bw
