#include "app/template_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/fake/recording_messages.h"
#include "platform/fake/temp_folder.h"
#include "platform/native/native_file_system.h"
#include "platform/native/us_key_names.h"
#include "settings/template_exchange.h"

namespace bw {
namespace {

class AnsweringDialogs final : public platform::FileDialogs {
public:
  std::optional<std::string> OpenFile(const platform::OpenFileRequest& request) override {
    titles.push_back(request.title + " " + request.filter + " ." + request.defaultExtension);
    return answer;
  }
  std::optional<std::string> SaveFile(const platform::SaveFileRequest& request) override {
    titles.push_back(request.title + " " + request.filter + " ." + request.defaultExtension);
    return answer;
  }
  std::optional<std::string> answer;
  std::vector<std::string> titles;
};

class TemplateFilesTest : public ::testing::Test {
protected:
  void Add(std::string name, std::string code, std::int32_t hotkey = 0) {
    auto item = std::make_unique<TCommentStorage>();
    item->CommentName = std::move(name);
    item->Comment = std::move(code);
    item->Hotkey = hotkey;
    folder.AddChild(std::move(item));
  }
  const TCommentStorage& At(int index) { return dynamic_cast<const TCommentStorage&>(folder.Child(index)); }

  platform::TempFolder temp;
  platform::NativeFileSystem files;
  platform::UsKeyNames keys;
  platform::RecordingMessages messages;
  AnsweringDialogs dialogs;
  TStorage folder;
  bool active = true;
  std::vector<std::string> hotkeyEvents;  // "off 2" / "on 3": the switch and the template count then
  TemplateFileServices services{dialogs, files, keys, messages, [this] { return active; },
                                [this](bool on) {
                                  active = on;
                                  hotkeyEvents.push_back((on ? "on " : "off ") + std::to_string(folder.ChildCount()));
                                }};
};

TEST_F(TemplateFilesTest, ExportOfChosenThenImportAppendsWithHotkeysOffAroundTheChange) {
  Add("A", "a\r\nb", 0x4041);
  Add("B", "b");
  const TCommentStorage* chosen[] = {&At(0), &At(1)};
  dialogs.answer = temp / "out.tml";
  ExportTemplateFile(chosen, services);
  ASSERT_EQ(dialogs.titles.size(), 1u);
  EXPECT_EQ(dialogs.titles[0], "Select template file... Template Files (*.tml)|*.tml|All files (*.*)|*.* .tml");
  EXPECT_TRUE(hotkeyEvents.empty());

  EXPECT_EQ(ImportTemplateFile(folder, services), 2);
  EXPECT_EQ(dialogs.titles[1], dialogs.titles[0]);  // the same filter, title and default extension
  EXPECT_EQ(hotkeyEvents, (std::vector<std::string>{"off 2", "on 4"}));
  EXPECT_TRUE(active);
  EXPECT_EQ(At(2).Comment, "a\r\nb");
  EXPECT_TRUE(At(2).Disabled);
  EXPECT_TRUE(messages.shown.empty());

  active = false;  // switched off by the user: left off
  hotkeyEvents.clear();
  EXPECT_EQ(ImportTemplateFile(folder, services), 2);
  EXPECT_TRUE(hotkeyEvents.empty());
  EXPECT_FALSE(active);
}

TEST_F(TemplateFilesTest, CancelAndEmptySelectionDoNothing) {
  ExportTemplateFile({}, services);
  EXPECT_TRUE(dialogs.titles.empty());
  Add("A", "a");
  const TCommentStorage* chosen[] = {&At(0)};
  ExportTemplateFile(chosen, services);
  EXPECT_EQ(ImportTemplateFile(folder, services), 0);
  EXPECT_EQ(dialogs.titles.size(), 2u);
  EXPECT_TRUE(hotkeyEvents.empty());
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(TemplateFilesTest, BrokenFileShowsTheParserMessageWithoutTouchingHotkeys) {
  dialogs.answer = temp / "bad.tml";
  std::ofstream(*dialogs.answer) << "<Brackwater><Template>";
  EXPECT_EQ(ImportTemplateFile(folder, services), 0);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].kind, platform::RecordingMessages::Shown::Kind::Error);
  EXPECT_TRUE(hotkeyEvents.empty());
  EXPECT_EQ(folder.ChildCount(), 0);
}

TEST_F(TemplateFilesTest, TemplateWithoutCodeStopsWithErrorKeepsEarlierAndSwitchesHotkeysOnAgain) {
  dialogs.answer = temp / "stop.tml";
  std::ofstream(*dialogs.answer) << "<x><Template><Name>A</Name><Code>a</Code></Template>"
                                    "<Template><Name>B</Name></Template><Template><Name>C</Name><Code>c</Code></Template></x>";
  EXPECT_EQ(ImportTemplateFile(folder, services), 1);
  EXPECT_EQ(hotkeyEvents, (std::vector<std::string>{"off 0", "on 1"}));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "Could not convert variant of type (Null) into type (String)");

  // A hotkey without Ctrl or Alt is dropped, and the import says so.
  messages.shown.clear();
  std::ofstream(*dialogs.answer) << "<x><Template><Name>A</Name><Code>a</Code><Hotkey>Enter</Hotkey></Template></x>";
  EXPECT_EQ(ImportTemplateFile(folder, services), 1);
  EXPECT_EQ(At(1).Hotkey, 0);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].kind, platform::RecordingMessages::Shown::Kind::Warning);
  EXPECT_EQ(messages.shown[0].text, DroppedHotkeysText(1));
}

TEST_F(TemplateFilesTest, ImportThatTheConfigurationFileCouldNotHoldChangesNothing) {
  TStorage root;
  root.AddChild(std::make_unique<TBrackwaterStorage>());
  for (int i = 0; i < 3; ++i) root.AddChild(std::make_unique<TStorage>());
  auto big = std::make_unique<TCommentStorage>();
  big->CommentName = "big";
  big->Comment = std::string(std::size_t{63} << 20, 'x');
  TemplatesFolder(root).AddChild(std::move(big));
  dialogs.answer = temp / "large.tml";
  std::ofstream(*dialogs.answer) << "<x><Template><Name>A</Name><Code>a</Code></Template><Template><Name>B</Name><Code>"
                                 << std::string(std::size_t{2} << 20, 'b') << "</Code></Template></x>";
  EXPECT_EQ(ImportTemplateFile(TemplatesFolder(root), services), 0);
  EXPECT_EQ(TemplatesFolder(root).ChildCount(), 1);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "The settings would grow past 64 MB, more than the configuration file can hold.\r\n"
                                    "Nothing has been changed.");
  TemplatesFolder(root).DeleteChild(0);
  EXPECT_EQ(ImportTemplateFile(TemplatesFolder(root), services), 2);
}

TEST_F(TemplateFilesTest, UnwritableExportAndOversizedImportAreReportedWithTheirReason) {
  Add("A", "a");
  const TCommentStorage* chosen[] = {&At(0)};
  dialogs.answer = temp / "missing-folder/out.tml";
  ExportTemplateFile(chosen, services);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "Cannot create file \"" + *dialogs.answer + "\". No such file or directory.");

  dialogs.answer = temp / "huge.tml";
  std::ofstream(*dialogs.answer) << "<x/>";
  std::filesystem::resize_file(*dialogs.answer, kMaxTemplateFileBytes + 1);
  EXPECT_EQ(ImportTemplateFile(folder, services), 0);
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[1].text, kTemplateFileTooLarge);
  EXPECT_TRUE(hotkeyEvents.empty());
}

}  // namespace
}  // namespace bw
