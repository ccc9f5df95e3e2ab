// Template variable values: the general record's VarList of name=value lines. Names compare
// without regard to letter case; the first "=" of a line ends its name.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "settings/storage.h"

namespace bw {

// The three variables that mirror the preferences' fields of the same names.
inline constexpr std::array<std::string_view, 3> kReservedVariables = {"Author", "Initials", "Company"};

// True for exactly "Author", "Initials" or "Company" (letter case included).
bool IsReservedVariable(std::string_view name);

// The index of the first line whose name is `name`; lines without "=" have no name.
std::optional<std::size_t> FindVariable(const StringList& vars, std::string_view name);

// The value stored under the name; empty when there is none.
std::string VariableValue(const StringList& vars, std::string_view name);

// Stores a value: an existing line is rewritten in place as name=value (with the name as
// given here), a new one is appended, and an empty value removes the line instead.
// A name holding "=" cannot be written as a name=value line and is never stored (its
// variable is asked for every time, as after an empty answer); false in that case.
bool StoreVariable(StringList& vars, std::string_view name, std::string_view value);

// Writes the general record's Author, Initials and Company into its VarList (at start and
// after the preferences are accepted); an empty field removes the line.
void SetReservedVariables(TBrackwaterStorage& general);

}  // namespace bw
