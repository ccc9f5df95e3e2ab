// Template expansion: the date and time tags, the reserved variables and the user variables
// of a code template replaced by their values, asking the user where needed.
//
// Replacements are made in the template's own text only: a value put in for a tag (a date,
// an answer) is never searched for tags again. So a value that holds its own tag stays as
// typed, "<<" and ">>" on the two sides of a value make no tag, and the work and the result
// grow with the template's length and the values given, never beyond kMaxExpandedLength.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "editor/template_pieces.h"
#include "editor/variable_asker.h"
#include "platform/local_time.h"
#include "platform/locale.h"
#include "settings/storage.h"

namespace bw {

// How the last user-variable tag of a template was replaced.
enum class LastTagState {
  None,    // the text had no user-variable tag
  Asked,   // the user was asked for its value
  Silent,  // a once-variable ("(O)") whose stored value was used without asking
};

struct ExpandedTemplate {
  std::string text;
  LastTagState lastTag = LastTagState::None;
};

struct TemplateServices {
  StringList& variables;  // the general record's VarList
  VariableAsker& asker;
  platform::LocalTime& clock;
  const platform::Locale& locale;
};

// Expands a template: "<<Date>>", "<<Time>>" and their format forms, then Author, Initials and
// Company (asked for when empty, whether or not the text uses them), then every other tag from
// left to right. nullopt when the user cancelled a question (a silent abort; answers given
// before it stay stored). Throws TemplateTooLong when the result would pass the limit.
// The clock is read once, so every date and time tag of one template shows the same moment.
std::optional<ExpandedTemplate> ExpandTemplate(std::string_view text, const TemplateServices& services);

// Replaces "<<Date>>" (any letter case) with the date as "dd-mm-yyyy", "<<Time>>" with the time
// as "hh:nn:ss", and each "<<Date(" format ")>>" or "<<Time(" format ")>>" (introduced in this
// letter case) with the moment in that format. `name` is "Date" or "Time". A form without a
// closing ")>>" is left as it stands.
std::string ReplaceDateTimeTag(std::string_view text, std::string_view name, const platform::LocalDateTime& now,
                               const platform::Locale& locale);

// Replaces every "<<" tag ">>" and "<<" VariableName(tag) ">>" (any letter case) with the
// variable's value, asking for it when `askAlways` or when no value is stored, and stores the
// answer. nullopt when the user cancelled.
std::optional<std::string> ReplaceVariableTag(std::string_view text, std::string_view tag, bool askAlways,
                                              StringList& variables, VariableAsker& asker);

}  // namespace bw
