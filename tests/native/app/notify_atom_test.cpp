// The balloon of a "NotifyBrackwater" message with an atom, from the atom's name.
#include <gtest/gtest.h>

#include <string>

#include "app/tray_icon.h"
#include "app/notify_atom.h"

using bw::SplitNotifyAtom;

namespace {

std::string Shown(std::string_view name) {
  const auto parts = SplitNotifyAtom(name);
  return parts ? std::string(parts->title) + "/" + std::string(parts->text) : "(nothing)";
}

}  // namespace

TEST(NotifyAtom, SplitAtTheFirstBarOnly) {
  EXPECT_EQ(Shown("Build finished|All 12 objects compiled"), "Build finished/All 12 objects compiled");
  EXPECT_EQ(Shown("a|b|c"), "a/b|c");
  EXPECT_EQ(Shown("|text only"), "/text only");
  EXPECT_EQ(Shown("title only|"), "title only/");
  EXPECT_EQ(Shown("|"), "/");
}

TEST(NotifyAtom, WithoutABarTheWholeNameIsTitleAndText) {
  EXPECT_EQ(Shown("Compiled"), "Compiled/Compiled");
  EXPECT_EQ(Shown(" "), " / ");
}

TEST(NotifyAtom, AnAtomWithoutANameShowsNothing) { EXPECT_FALSE(SplitNotifyAtom("").has_value()); }

TEST(NotifyAtom, ALongNameIsCutToWhatTheBalloonTakes) {
  // An atom name holds up to 255 characters: the title part is cut to 63, the text to 255.
  const std::string name = std::string(100, 't') + "|" + std::string(154, 'x');
  const auto parts = SplitNotifyAtom(name);
  ASSERT_TRUE(parts.has_value());
  const auto balloon = bw::MakeBalloon(parts->title, parts->text, 10);
  EXPECT_EQ(balloon.title, std::string(63, 't'));
  EXPECT_EQ(balloon.text, std::string(154, 'x'));
  const std::string longest(255, 'w');
  const auto whole = SplitNotifyAtom(longest);
  ASSERT_TRUE(whole.has_value());
  EXPECT_EQ(bw::MakeBalloon(whole->title, whole->text, 10).title.size(), 63u);
  EXPECT_EQ(bw::MakeBalloon(whole->title, whole->text, 10).text.size(), 255u);
}
