#include "settings/hotkey_text.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "platform/native/us_key_names.h"
#include "settings/hotkey_field.h"

namespace bw {
namespace {

// A layout whose names the test sets, counting the questions it is asked.
class ScriptedKeyNames final : public platform::KeyNames {
public:
  std::string LayoutKeyName(std::uint8_t vk) override {
    ++calls;
    const auto it = names.find(vk);
    return it == names.end() ? std::string() : it->second;
  }
  std::map<std::uint8_t, std::string> names;
  int calls = 0;
};

class HotkeyTextTest : public ::testing::Test {
protected:
  platform::UsKeyNames us;
};

TEST_F(HotkeyTextTest, FormatsPrefixesInFixedOrderWithShortNames) {
  EXPECT_EQ(FormatHotkey(0x6024, us), "Shift+Ctrl+Home");
  EXPECT_EQ(FormatHotkey(0xE000 | 0x21, us), "Shift+Ctrl+Alt+PgUp");
  EXPECT_EQ(FormatHotkey(0x8000 | 0x08, us), "Alt+BkSp");
  EXPECT_EQ(FormatHotkey(0x2000 | 0x87, us), "Shift+F24");
  EXPECT_EQ(FormatHotkey(0x4000 | 0x65, us), "Ctrl+5");  // keypad digits read like main digits
  EXPECT_EQ(FormatHotkey(0x60BE, us), "Shift+Ctrl+.");
  EXPECT_EQ(FormatHotkey(0x0041, us), "A");
}

TEST_F(HotkeyTextTest, KeyWithoutNameFormatsEmptyWhateverTheModifiers) {
  EXPECT_EQ(FormatHotkey(0xE007, us), "");
  EXPECT_EQ(FormatHotkey(0x6000 | 0xFF, us), "");
  EXPECT_EQ(FormatHotkey(0, us), "");
}

TEST_F(HotkeyTextTest, ParsesPrefixesInAnyOrderCaseAndRepetition) {
  EXPECT_EQ(ParseHotkey("Shift+Ctrl+Home", us), 0x6024);
  EXPECT_EQ(ParseHotkey("ctrl+shift+home", us), 0x6024);
  EXPECT_EQ(ParseHotkey("^Shift+HOME", us), 0x6024);
  EXPECT_EQ(ParseHotkey("Ctrl+Alt+F12", us), 0xC07B);
  EXPECT_EQ(ParseHotkey("alt+ctrl+f12", us), 0xC07B);
  EXPECT_EQ(ParseHotkey("Shift+shift+^Ctrl+X", us), 0x6058);
  EXPECT_EQ(ParseHotkey("Del", us), 0x002E);
}

TEST_F(HotkeyTextTest, TextsThatNameNoKeyParseToZero) {
  EXPECT_EQ(ParseHotkey("Shift+Ctrl+", us), 0);
  EXPECT_EQ(ParseHotkey("", us), 0);
  EXPECT_EQ(ParseHotkey("^", us), 0);
  EXPECT_EQ(ParseHotkey("Shift+Ctrl+Nothing", us), 0);
  EXPECT_EQ(ParseHotkey("Ctrl+ Home", us), 0);    // no trimming
  EXPECT_EQ(ParseHotkey("Home+Ctrl+", us), 0);    // prefixes only lead
}

TEST_F(HotkeyTextTest, DigitsYieldMainKeyboardDigits) {
  for (char d = '0'; d <= '9'; ++d)
    EXPECT_EQ(ParseHotkey(std::string("Ctrl+") + d, us), 0x4000 | static_cast<unsigned char>(d)) << d;
}

TEST_F(HotkeyTextTest, DefaultStandardHotkeysParse) {
  const TBrackwaterStorage defaults;
  EXPECT_EQ(ParseHotkey(defaults.Indent, us), 0x60BE);
  EXPECT_EQ(ParseHotkey(defaults.Unindent, us), 0x60BC);
  EXPECT_EQ(ParseHotkey(defaults.Comment, us), 0x60DD);
  EXPECT_EQ(ParseHotkey(defaults.Uncomment, us), 0x60DB);
  EXPECT_EQ(ParseHotkey(defaults.InsertTemplate, us), 0x602D);
  EXPECT_EQ(ParseHotkey(defaults.RepeatTemplate, us), 0x60BF);
  EXPECT_EQ(ParseHotkey(defaults.OpenBrackwater, us), 0x6024);
  EXPECT_EQ(ParseHotkey(defaults.ToggleHotkeys, us), 0x6021);
  EXPECT_EQ(ParseHotkey(defaults.InsertCredentials, us), 0x6009);
}

TEST_F(HotkeyTextTest, SharedNameYieldsLowestCode) {
  // On the US layout Num Lock and Pause both carry the name of scan code 0x45.
  EXPECT_EQ(ParseHotkey("Ctrl+Pause", us), 0x4013);
  EXPECT_EQ(ParseHotkey("Ctrl", us), 0x0011);  // not the left or right Ctrl key
}

TEST_F(HotkeyTextTest, KeypadDivideKeepsItsOwnName) {
  // The layout names keypad divide "/" like the main key with the same scan code; the main key
  // must keep the text "/".
  EXPECT_EQ(FormatHotkey(0x406F, us), "Ctrl+Num /");
  EXPECT_EQ(ParseHotkey("Ctrl+Num /", us), 0x406F);
  EXPECT_EQ(ParseHotkey("Ctrl+/", us), 0x40BF);
}

TEST_F(HotkeyTextTest, EveryFormattedCodeParsesBackToAKeyOfTheSameName) {
  for (unsigned vk = 8; vk < 256; ++vk) {
    const auto code = static_cast<TShortCut>(0x6000 | vk);
    const std::string text = FormatHotkey(code, us);
    if (text.empty()) continue;
    const TShortCut parsed = ParseHotkey(text, us);
    EXPECT_EQ(FormatHotkey(parsed, us), text) << vk;
    EXPECT_LE(parsed & 0xFF, vk) << vk;
  }
}

TEST(HotkeyParse, NamesOfLowCodesOnlyMatchAsTheirLowByte) {
  ScriptedKeyNames keys;
  keys.names[0x03] = "Break";  // a name only a code below 8 carries
  // Found as code 0x103; the result keeps only the virtual key.
  EXPECT_EQ(ParseHotkey("Ctrl+Break", keys), 0x4003);
}

TEST(HotkeyParse, AsksTheLayoutAtMostOncePerKeyAndSeesLayoutChanges) {
  ScriptedKeyNames keys;
  keys.names[0xBE] = ".";
  EXPECT_EQ(ParseHotkey("Shift+Ctrl+.", keys), 0x60BE);
  EXPECT_EQ(ParseHotkey("Nothing", keys), 0);
  EXPECT_LE(keys.calls, 2 * 256);
  // Another layout names another key "."; nothing from the earlier parse sticks.
  keys.names.erase(0xBE);
  keys.names[0xBF] = ".";
  EXPECT_EQ(ParseHotkey("Shift+Ctrl+.", keys), 0x60BF);
}

TEST(HotkeyParse, ComparesAccentedLettersWithoutCase) {
  ScriptedKeyNames keys;
  keys.names[0xDE] = "\xC4";  // Ä on a German layout
  EXPECT_EQ(ParseHotkey("ctrl+\xE4", keys), 0x40DE);
}

TEST(HotkeySplit, SeparatesKeyAndRegistrationModifiers) {
  auto split = SplitHotkey(0xC07B);
  EXPECT_EQ(split.virtualKey, 0x7Bu);
  EXPECT_EQ(split.modifiers, kModAlt | kModControl);
  split = SplitHotkey(0x6024);
  EXPECT_EQ(split.virtualKey, 0x24u);
  EXPECT_EQ(split.modifiers, kModControl | kModShift);
  split = SplitHotkey(0x0041);
  EXPECT_EQ(split.modifiers, 0u);
}

TEST_F(HotkeyTextTest, CanonicalTextFixesOrderCaseAndNames) {
  EXPECT_EQ(CanonicalHotkey("alt+shift+pgdn", us), "Shift+Alt+PgDn");
  // "Num 9" is the layout's name of PgUp and keypad 9, which the program names itself.
  EXPECT_EQ(CanonicalHotkey("^num 9", us), "");
  EXPECT_EQ(CanonicalHotkey("Ctrl+Nothing", us), "");
  EXPECT_EQ(CanonicalHotkey("ctrl+.", us), "Ctrl+.");
}

TEST_F(HotkeyTextTest, HotkeyFieldColoursAndCanonicalises) {
  HotkeyField field(us);
  field.Show(0x6024);
  EXPECT_EQ(field.Text(), "Shift+Ctrl+Home");
  field.Change("ctrl+shift+");
  EXPECT_EQ(field.TextColour(), kBadHotkeyTextColour);
  field.Change("ctrl+shift+f5");
  EXPECT_EQ(field.TextColour(), kHotkeyTextColour);
  EXPECT_EQ(field.Text(), "ctrl+shift+f5");
  field.LoseFocus();
  EXPECT_EQ(field.Text(), "Shift+Ctrl+F5");
  EXPECT_EQ(field.Code(), 0x6074);
  field.Change("junk");
  field.LoseFocus();
  EXPECT_EQ(field.Text(), "");
  EXPECT_EQ(field.Code(), 0);
  field.Show(0);
  EXPECT_EQ(field.Text(), "");
}

}  // namespace
}  // namespace bw
