#include <gtest/gtest.h>

#include <functional>

#include "platform/fake/fake_key_names.h"
#include "ui/template_editor_form.h"
#include "ui/text_positions.h"

namespace bw::test {
namespace {

// Holds what the window would show.
class FakeEditorView : public TemplateEditorView {
public:
  void SetTemplateText(std::string_view richText, std::size_t at) override {
    text = richText;
    caret = at;
    ++textSets;
  }
  void ColourTags(const std::vector<TextSpan>& spans) override {
    red = spans;
    ++colourings;
    if (onColour) onColour();
  }
  void SetHotkeyText(std::string_view value) override { hotkey = value; }
  void SetHotkeyState(bool ticked, bool enabled, Rgb c) override {
    boxTicked = ticked;
    fieldEnabled = enabled;
    colour = c;
  }
  void SetProblem(std::string_view value) override { problem = value; }
  void EnableOk(bool enabled) override { ok = enabled; }

  std::string text, hotkey, problem;
  std::size_t caret = 0;
  int textSets = 0, colourings = 0;
  std::vector<TextSpan> red;
  bool boxTicked = false, fieldEnabled = false, ok = false;
  Rgb colour;
  std::function<void()> onColour;
};

class TemplateEditorFormTest : public ::testing::Test {
protected:
  void Open(std::string_view name, std::string_view text, TShortCut hotkey = 0) {
    form.SetName(name);
    form.SetText(text);
    form.SetHotkey(hotkey);
    form.Attach(&view);
  }
  platform::FakeKeyNames keys;
  TemplateEditorForm form{keys};
  FakeEditorView view;
};

TEST_F(TemplateEditorFormTest, TagsGoInAtTheCaretOrOverTheSelection) {
  Open("Tags", "abc");
  form.InsertTag("Date", 1, 0);
  EXPECT_EQ(view.text, "a<<Date>>bc");
  EXPECT_EQ(view.caret, 1u);
  EXPECT_EQ(view.red, (std::vector<TextSpan>{{1, 8}}));

  form.TextChanged("xyz");
  form.InsertTag(kAuthorMenu[1].tag, 1, 2);  // the last two letters selected
  EXPECT_EQ(form.Text(), "x<<Initials>>");
  EXPECT_EQ(view.caret, 1u);

  // Positions count a line break as one character, and the result keeps CR LF.
  form.TextChanged("one\rtwo");
  form.InsertTag(kTagButtons[3].tag, 4, 0);
  EXPECT_EQ(form.Text(), "one\r\n<<Document ID>>two");
  // A selection reaching past the end is cut to the text.
  form.InsertTag("Time", 100, 5);
  EXPECT_EQ(view.text, "one\r<<Document ID>>two<<Time>>");
}

TEST_F(TemplateEditorFormTest, LineBreaksComeInAsSingleCharactersAndGoOutAsCrLf) {
  Open("Loop", "FOR i := 1 TO n DO\r\nBEGIN\nEND;\r");
  EXPECT_EQ(view.text, "FOR i := 1 TO n DO\rBEGIN\rEND;\r");
  EXPECT_EQ(form.Text(), "FOR i := 1 TO n DO\r\nBEGIN\r\nEND;\r\n");
}

TEST_F(TemplateEditorFormTest, OnlyClosedTagsAreRedAndColouringDoesNotRunAgainFromItself) {
  Open("Red", "word <<a word>> word\r<< open");
  EXPECT_EQ(view.red, (std::vector<TextSpan>{{5, 10}}));
  // A view that reports its own colouring as a change: no second colouring from inside.
  int reentered = 0;
  view.onColour = [&] {
    ++reentered;
    form.TextChanged(form.RichText());
  };
  form.TextChanged("<<x>>");
  EXPECT_EQ(reentered, 1);
}

TEST_F(TemplateEditorFormTest, OkNeedsNameTextAndAKeyWhenTheBoxIsTicked) {
  Open("", "");
  EXPECT_FALSE(view.ok);
  EXPECT_FALSE(view.boxTicked);
  EXPECT_FALSE(view.fieldEnabled);
  EXPECT_EQ(view.hotkey, "");
  form.NameChanged("My/[name]");
  EXPECT_FALSE(view.ok);
  form.TextChanged("x");
  EXPECT_TRUE(view.ok);

  form.BoxToggled(true);
  EXPECT_TRUE(view.fieldEnabled);
  EXPECT_FALSE(view.ok);
  form.HotkeyChanged("Ctrl+");
  EXPECT_FALSE(view.ok);
  EXPECT_EQ(view.colour, kBadHotkeyTextColour);
  form.BoxToggled(false);
  EXPECT_TRUE(view.ok);
  EXPECT_FALSE(view.fieldEnabled);
  EXPECT_EQ(form.Hotkey(), 0);

  form.BoxToggled(true);
  form.HotkeyChanged("ctrl+shift+t");
  EXPECT_TRUE(view.ok);
  EXPECT_EQ(view.colour, kHotkeyTextColour);
  form.HotkeyLeft();
  EXPECT_EQ(view.hotkey, "Shift+Ctrl+T");
  EXPECT_EQ(form.Hotkey(), 0x6054);
  form.HotkeyChanged("nonsense");
  form.HotkeyLeft();
  EXPECT_EQ(view.hotkey, "");
  EXPECT_FALSE(view.ok);
  EXPECT_EQ(form.Name(), "My/[name]");
}

TEST_F(TemplateEditorFormTest, PresetsShowTheHotkeyAndTheFailure) {
  form.SetHotkeyFailed(true);
  Open("Header", "// <<Author>>", 0x6048);
  EXPECT_TRUE(view.boxTicked);
  EXPECT_TRUE(view.fieldEnabled);
  EXPECT_EQ(view.hotkey, "Shift+Ctrl+H");
  EXPECT_NE(view.problem.find("registered by another application"), std::string::npos);
  EXPECT_TRUE(view.ok);
  EXPECT_EQ(form.Hotkey(), 0x6048);
}

TEST(TemplateEditorPositions, ControlUnitsAndAnsiBytesMeetAtCharacterStarts) {
  // "a", a double-byte character (two bytes, one unit), a pasted character outside the BMP (one
  // byte "?", two units), "b".
  const TextPositions text({{1, 1}, {1, 2}, {2, 1}, {1, 1}});
  const struct {
    std::size_t units, bytes;
  } fromUnits[] = {{0, 0}, {1, 1}, {2, 3}, {3, 3}, {4, 4}, {5, 5}, {9, 5}};
  for (const auto& c : fromUnits) EXPECT_EQ(text.BytesOf(c.units), c.bytes) << c.units;
  const struct {
    std::size_t bytes, units;
  } fromBytes[] = {{0, 0}, {1, 1}, {2, 1}, {3, 2}, {4, 4}, {5, 5}, {9, 5}};
  for (const auto& c : fromBytes) EXPECT_EQ(text.UnitsOf(c.bytes), c.units) << c.bytes;
}

TEST(TemplateEditorAccessKeys, AltAndATagButtonsLetterPressesThatButton) {
  constexpr auto inText = TemplateEditorFocus::Text;
  EXPECT_EQ(TagButtonForAccessKey('D', inText), 0u);
  EXPECT_EQ(TagButtonForAccessKey('t', inText), 1u);
  EXPECT_EQ(TagButtonForAccessKey('a', inText), 2u);  // the Author button itself, not its menu
  EXPECT_EQ(TagButtonForAccessKey('c', inText), 3u);
  EXPECT_EQ(TagButtonForAccessKey('V', TemplateEditorFocus::Name), 4u);
  EXPECT_EQ(TagButtonForAccessKey('d', TemplateEditorFocus::Other), 0u);
  // Letters of no button, and the menu's own entries, press nothing.
  EXPECT_EQ(TagButtonForAccessKey('X', inText), std::nullopt);
  EXPECT_EQ(TagButtonForAccessKey('I', inText), std::nullopt);
  EXPECT_EQ(TagButtonForAccessKey('\0', inText), std::nullopt);
}

TEST(TemplateEditorAccessKeys, TheOtherControlsKeepTheirKeys) {
  for (const auto focus : {TemplateEditorFocus::Name, TemplateEditorFocus::Text, TemplateEditorFocus::UseHotkey,
                           TemplateEditorFocus::Hotkey, TemplateEditorFocus::Other}) {
    EXPECT_EQ(TagButtonForAccessKey('N', focus), std::nullopt);
    EXPECT_EQ(TagButtonForAccessKey('h', focus), std::nullopt);  // the box ticks even when focused
    EXPECT_EQ(TagButtonForAccessKey('K', focus), std::nullopt);
  }
  // T is the Template label's and the Time button's: the label's until the focus is in the text.
  EXPECT_EQ(TagButtonForAccessKey('T', TemplateEditorFocus::Name), std::nullopt);
  EXPECT_EQ(TagButtonForAccessKey('T', TemplateEditorFocus::Hotkey), std::nullopt);
  EXPECT_EQ(TagButtonForAccessKey('T', TemplateEditorFocus::Other), std::nullopt);
  EXPECT_EQ(TagButtonForAccessKey('T', TemplateEditorFocus::Text), 1u);
}

}  // namespace
}  // namespace bw::test
