#include "base/format_text.h"

#include <gtest/gtest.h>

namespace bw {
namespace {

TEST(FormatText, FillsPlaceholdersInOrder) {
  struct Case {
    std::string_view pattern;
    std::initializer_list<std::string_view> args;
    std::string_view expected;
  };
  const Case cases[] = {
      {"Cannot locate the file '%s'.", {"C:\\fin.exe"}, "Cannot locate the file 'C:\\fin.exe'."},
      {"hotkey '%s' for template '%s'", {"Ctrl+T", "Loop"}, "hotkey 'Ctrl+T' for template 'Loop'"},
      {"%s%s", {"a", "b"}, "ab"},
      {"100%% of '%s'", {"x"}, "100% of 'x'"},
      {"'%s' and '%s'", {"one"}, "'one' and '%s'"},    // no argument left: stays as written
      {"no placeholder", {"ignored"}, "no placeholder"},
      {"trailing %", {"x"}, "trailing %"},
      {"%d and %s", {"x"}, "%d and x"},                 // only "%s" is a placeholder
      {"'%s' '%s'", {"%s", "y"}, "'%s' 'y'"},           // arguments are not scanned again
      {"", {"x"}, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatText(c.pattern, c.args), c.expected) << c.pattern;
}

}  // namespace
}  // namespace bw
