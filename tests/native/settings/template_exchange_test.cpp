#include "settings/template_exchange.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/native/us_key_names.h"
#include "settings/hotkey_text.h"

namespace bw {
namespace {

std::vector<std::uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }
std::string Text(const std::vector<std::uint8_t>& bytes) { return {bytes.begin(), bytes.end()}; }

class TemplateExchangeTest : public ::testing::Test {
protected:
  TCommentStorage& Add(TStorage& into, std::string name, std::string code, std::int32_t hotkey = 0) {
    auto item = std::make_unique<TCommentStorage>();
    item->CommentName = std::move(name);
    item->Comment = std::move(code);
    item->Hotkey = hotkey;
    auto& added = *item;
    into.AddChild(std::move(item));
    return added;
  }
  const TCommentStorage& At(int index) { return dynamic_cast<const TCommentStorage&>(folder.Child(index)); }
  TemplateImport Import(std::string_view text) { return ImportTemplates(Bytes(text), folder, keys); }

  platform::UsKeyNames keys;
  TStorage folder;
};

TEST_F(TemplateExchangeTest, ExportWritesChosenTemplatesInGivenOrderWithTabsAndDeclaration) {
  TStorage source;
  auto& a = Add(source, "Header", "// <<Author>>\r\n// <<Date>>", kCtrl | 'H');
  Add(source, "Skipped", "x");
  auto& c = Add(source, "If <&> \"q\" \xE9", "IF a < b THEN\r\n  |;", 0x10000 | kCtrl | 'H');  // no 16-bit code: none
  const TCommentStorage* chosen[] = {&a, &c};
  EXPECT_EQ(Text(ExportTemplates(chosen, keys)),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<Brackwater>\n"
            "\t<Template>\n"
            "\t\t<Name>Header</Name>\n"
            "\t\t<Code>// &lt;&lt;Author&gt;&gt;\n// &lt;&lt;Date&gt;&gt;</Code>\n"
            "\t\t<Hotkey>Ctrl+H</Hotkey>\n"
            "\t</Template>\n"
            "\t<Template>\n"
            "\t\t<Name>If &lt;&amp;&gt; \"q\" \xC3\xA9</Name>\n"
            "\t\t<Code>IF a &lt; b THEN\n  |;</Code>\n"
            "\t\t<Hotkey/>\n"
            "\t</Template>\n"
            "</Brackwater>\n");
}

TEST_F(TemplateExchangeTest, ExportRefusesControlCharactersThatXmlCannotCarry) {
  TStorage source;
  auto& a = Add(source, "Bell", "ring\x07");
  const TCommentStorage* chosen[] = {&a};
  EXPECT_THROW(ExportTemplates(chosen, keys), TemplateFileError);
}

TEST_F(TemplateExchangeTest, RoundTripKeepsTextLineBreaksHotkeysAndAnsiCharacters) {
  TStorage source;
  auto& a = Add(source, "Multi \x80", "  first\r\n\r\n\tsecond\r\n", kCtrl | kShift | 'M');
  auto& b = Add(source, "Plain", "x := 1;");
  auto& c = Add(source, "Blank lines", "\r\n\r\n");
  const TCommentStorage* chosen[] = {&a, &b, &c};
  const auto bytes = ExportTemplates(chosen, keys);
  const auto first = ImportTemplates(bytes, folder, keys);
  const auto second = ImportTemplates(bytes, folder, keys);
  EXPECT_EQ(first.imported, 3);
  EXPECT_EQ(second.imported, 3);
  ASSERT_EQ(folder.ChildCount(), 6);  // twice, names are not compared
  for (int base : {0, 3}) {
    EXPECT_EQ(At(base).CommentName, "Multi \x80");
    EXPECT_EQ(At(base).Comment, "  first\r\n\r\n\tsecond\r\n");
    EXPECT_EQ(At(base).Hotkey, kCtrl | kShift | 'M');
    EXPECT_EQ(At(base + 1).Hotkey, 0);
    EXPECT_EQ(At(base + 2).Comment, "\r\n\r\n");
  }
  EXPECT_FALSE(At(0).Disabled);
  EXPECT_TRUE(At(3).Disabled);  // the second import's hotkey duplicates the first's
}

TEST_F(TemplateExchangeTest, ForeignFilesImportWhateverTheirFormOfLineBreaksAndDeclaration) {
  // A byte-order mark, no declaration, CR LF inside Code, another document element name, a
  // CR written as a character reference (as Wine's MSXML does), unknown elements between.
  Import("\xEF\xBB\xBF<Templates>\r\n<Other/>\r\n<Template><Name>A</Name><Code>a\r\nb\rc</Code>"
         "<Hotkey>Alt+F5</Hotkey></Template>\r\n<!-- note -->"
         "<Template><Code>x&#13;\ny</Code><Name>B</Name></Template></Templates>");
  ASSERT_EQ(folder.ChildCount(), 2);
  EXPECT_EQ(At(0).Comment, "a\r\nb\r\nc");
  EXPECT_EQ(At(0).Hotkey, kAlt | 0x74);
  EXPECT_EQ(At(1).Comment, "x\r\ny");
  EXPECT_EQ(At(1).CommentName, "B");
  EXPECT_EQ(At(1).Hotkey, 0);
}

TEST_F(TemplateExchangeTest, UnknownHotkeyTextImportsWithoutHotkeyAndDuplicateIsMarked) {
  Add(folder, "Existing", "e", kCtrl | 'Q');
  const auto result = Import("<Brackwater><Template><Name>N</Name><Code>c</Code><Hotkey>Ctrl+Nothing</Hotkey></Template>"
                             "<Template><Name>D</Name><Code>d</Code><Hotkey>Ctrl+Q</Hotkey></Template></Brackwater>");
  EXPECT_EQ(result.imported, 2);
  EXPECT_EQ(result.droppedHotkeys, 0);
  EXPECT_EQ(At(1).Hotkey, 0);
  EXPECT_FALSE(At(1).Disabled);
  EXPECT_EQ(At(2).Hotkey, kCtrl | 'Q');
  EXPECT_TRUE(At(2).Disabled);
  EXPECT_FALSE(At(0).Disabled);
}

TEST_F(TemplateExchangeTest, HotkeysWithoutCtrlOrAltAreDroppedAndCounted) {
  const struct {
    const char* text;
    std::int32_t kept;
  } cases[] = {{"Enter", 0}, {"Space", 0}, {"A", 0}, {"Shift+A", 0}, {"F5", 0},
               {"Ctrl+Enter", kCtrl | 0x0D}, {"Alt+A", kAlt | 'A'}, {"Shift+Ctrl+A", kShift | kCtrl | 'A'}};
  std::string file = "<Brackwater>";
  for (const auto& c : cases)
    file += std::string("<Template><Name>N</Name><Code>c</Code><Hotkey>") + c.text + "</Hotkey></Template>";
  const auto result = Import(file + "</Brackwater>");
  ASSERT_EQ(result.imported, 8);
  EXPECT_EQ(result.droppedHotkeys, 5);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(At(i).Hotkey, cases[i].kept) << cases[i].text;
  EXPECT_EQ(DroppedHotkeysText(5),
            "5 hotkeys were not imported, since a hotkey needs Ctrl or Alt; their templates have no hotkey.");
}

TEST_F(TemplateExchangeTest, TemplateWithoutNameOrCodeStopsTheImportKeepingThoseBefore) {
  for (const char* bad : {"<Template><Name>B</Name></Template>", "<Template><Name>B</Name><Code/></Template>",
                          "<Template><Name></Name><Code>b</Code></Template>"}) {
    TStorage target;
    const std::string file = std::string("<Brackwater><Template><Name>A</Name><Code>a</Code></Template>") + bad +
                             "<Template><Name>C</Name><Code>c</Code></Template></Brackwater>";
    const auto result = ImportTemplates(Bytes(file), target, keys);
    EXPECT_TRUE(result.stopped) << bad;
    EXPECT_EQ(result.imported, 1) << bad;
    EXPECT_EQ(result.error, kTemplateWithoutText);
    EXPECT_EQ(target.ChildCount(), 1) << bad;
  }
}

TEST_F(TemplateExchangeTest, HostileOrBrokenFilesChangeNothingAndSayWhy) {
  Add(folder, "Existing", "e");
  const std::string billionLaughs =
      "<?xml version=\"1.0\"?><!DOCTYPE lolz [<!ENTITY lol \"lol\"><!ENTITY lol2 \"&lol;&lol;&lol;\">]>"
      "<Brackwater><Template><Name>&lol2;</Name><Code>x</Code></Template></Brackwater>";
  const std::string external =
      "<!DOCTYPE b [<!ENTITY x SYSTEM \"file:///etc/passwd\">]><b><Template><Name>&x;</Name><Code>x</Code></Template></b>";
  for (const std::string& file : {billionLaughs, external, std::string("<Brackwater><Template>"),
                                  std::string("not xml"), std::string(""), std::string("<a>\xFF</a>"),
                                  std::string("<a>\0</a>", 8)}) {
    try {
      Import(file);
      ADD_FAILURE() << "accepted: " << file;
    } catch (const TemplateFileError& e) {
      EXPECT_STRNE(e.what(), "");
    }
  }
  EXPECT_EQ(folder.ChildCount(), 1);
}

TEST_F(TemplateExchangeTest, CharactersWithoutAnAnsiByteBecomeQuestionMarks) {
  Import("<b><Template><Name>\xE2\x82\xAC \xE4\xB8\xAD</Name><Code>&#x4E2D;x</Code></Template></b>");
  ASSERT_EQ(folder.ChildCount(), 1);
  EXPECT_EQ(At(0).CommentName, "\x80 ?");
  EXPECT_EQ(At(0).Comment, "?x");
}

TEST(ToCrLfTest, NormalisesEveryFormOfLineBreak) {
  EXPECT_EQ(ToCrLf("a\r\nb\nc\rd\r\r\n"), "a\r\nb\r\nc\r\nd\r\n\r\n");
  EXPECT_EQ(ToCrLf("\r"), "\r\n");
  EXPECT_EQ(ToCrLf(""), "");
}

}  // namespace
}  // namespace bw
