#include <gtest/gtest.h>

#include "settings/component_stream.h"
#include "stream_bytes.h"

namespace bw {
namespace {

using test::StreamBytes;

std::vector<std::uint8_t> SampleStream() {
  TStorage root;
  auto general = std::make_unique<TBrackwaterStorage>();
  general->Author = "jdoe";
  general->VarList = {"A=1", "B=2"};
  general->InsertWindowWidth = 40000;
  root.AddChild(std::move(general));
  auto configs = std::make_unique<TStorage>();
  auto folder = std::make_unique<TConfigStorage>();
  folder->IsSubMenu = true;
  auto config = std::make_unique<TConfigStorage>();
  config->Port = 2407;
  config->Password = std::string(300, 'p');
  folder->AddChild(std::move(config));
  configs->AddChild(std::move(folder));
  root.AddChild(std::move(configs));
  return WriteComponentStream(root);
}

TEST(ComponentStreamReader, EveryTruncationIsAStreamError) {
  const auto bytes = SampleStream();
  ASSERT_NO_THROW(ReadComponentStream(bytes));
  for (std::size_t length = 0; length < bytes.size(); ++length)
    EXPECT_THROW(ReadComponentStream(std::span(bytes).first(length)), StreamError) << length;
}

TEST(ComponentStreamReader, AcceptsEveryTagTheWriterCouldUseForAField) {
  StreamBytes bytes;
  bytes.Raw("TPF0").Short("TCommentStorage").Byte({0});
  bytes.Short("ImageIndex").Byte({0x04, 0xFF, 0xFF, 0xFF, 0xFF});    // -1 in the widest form
  bytes.Short("Hotkey").Byte({0x03, 0x54, 0x00});                     // 84 as 16 bits
  bytes.Short("CommentName").Byte({0x0C, 3, 0, 0, 0}).Raw("abc");     // short text as a long string
  bytes.Short("Disabled").Byte({0x09, 0, 0});
  const auto record = ReadComponentStream(bytes.Bytes());
  const auto& item = As<TCommentStorage>(*record);
  EXPECT_EQ(item.ImageIndex, -1);
  EXPECT_EQ(item.Hotkey, 84);
  EXPECT_EQ(item.CommentName, "abc");
  EXPECT_TRUE(item.Disabled);
}

TEST(ComponentStreamReader, RejectsWhatTheClassesDoNotHave) {
  auto read = [](const StreamBytes& bytes) { return ReadComponentStream(bytes.Bytes()); };
  StreamBytes unknownClass;
  unknownClass.Raw("TPF0").Begin("TButton").Byte({0, 0});
  EXPECT_THROW(read(unknownClass), StreamError);

  StreamBytes unknownProperty;
  unknownProperty.Raw("TPF0").Begin("TPluginStorage").Text("ConfigName", "x").Byte({0, 0});
  EXPECT_THROW(read(unknownProperty), StreamError);

  StreamBytes listWithoutSuffix;
  listWithoutSuffix.Raw("TPF0").Begin("TBrackwaterStorage").Short("VarList").Byte({0x01, 0, 0, 0});
  EXPECT_THROW(read(listWithoutSuffix), StreamError);

  StreamBytes textForInteger;
  textForInteger.Raw("TPF0").Begin("TPluginStorage").Text("Hotkey", "T").Byte({0, 0});
  EXPECT_THROW(read(textForInteger), StreamError);

  StreamBytes integerForBool;
  integerForBool.Raw("TPF0").Begin("TCommentStorage").Int8("Disabled", 1).Byte({0, 0});
  EXPECT_THROW(read(integerForBool), StreamError);

  StreamBytes wrongSignature;
  wrongSignature.Raw("TPF1").Begin("TStorage").Byte({0, 0});
  EXPECT_THROW(read(wrongSignature), StreamError);
}

TEST(ComponentStreamReader, LengthsBeyondTheInputAreRefusedBeforeAllocating) {
  StreamBytes huge;
  huge.Raw("TPF0").Begin("TCommentStorage").Short("Comment").Byte({0x0C, 0xFF, 0xFF, 0xFF, 0x7F}).Raw("abc");
  EXPECT_THROW(ReadComponentStream(huge.Bytes()), StreamError);

  StreamBytes negative;
  negative.Raw("TPF0").Begin("TCommentStorage").Short("Comment").Byte({0x0C, 0xFF, 0xFF, 0xFF, 0xFF}).Raw("abc");
  EXPECT_THROW(ReadComponentStream(negative.Bytes()), StreamError);
}

TEST(ComponentStreamReader, NestingAndRecordCountAreBounded) {
  auto flat = [](int records) {  // a root with records - 1 empty children
    StreamBytes bytes;
    bytes.Raw("TPF0").Short("TStorage").Byte({0, 0});
    for (int i = 1; i < records; ++i) bytes.Short("TStorage").Byte({0, 0, 0});
    bytes.Byte({0});
    return bytes.Bytes();
  };
  EXPECT_NO_THROW(ReadComponentStream(flat(100000)));
  EXPECT_THROW(ReadComponentStream(flat(100001)), StreamError);

  auto nested = [](int depth) {
    StreamBytes bytes;
    bytes.Raw("TPF0");
    for (int i = 0; i < depth; ++i) bytes.Short("TStorage").Byte({0, 0});
    for (int i = 0; i < depth; ++i) bytes.Byte({0});
    return bytes.Bytes();
  };
  EXPECT_NO_THROW(ReadComponentStream(nested(256)));
  EXPECT_THROW(ReadComponentStream(nested(257)), StreamError);
  EXPECT_THROW(ReadComponentStream(nested(100000)), StreamError);

  // The writer never produces what the reader would refuse.
  TStorage root;
  TStorage* leaf = &root;
  for (int i = 1; i < 257; ++i) leaf = &leaf->Child(leaf->AddChild(std::make_unique<TStorage>()));
  EXPECT_THROW(WriteComponentStream(root), StreamError);
  leaf->Parent()->DeleteChild(0);
  EXPECT_NO_THROW(ReadComponentStream(WriteComponentStream(root)));
}

TEST(ComponentStreamReader, ReadsAnyTreeAndIgnoresRecordNames) {
  // The generic reader does not judge the layout; the configuration file does.
  StreamBytes bytes;
  bytes.Raw("TPF0").Short("TPluginStorage").Short("Named").Int8("ImageIndex", 5).Byte({0});
  bytes.Begin("TConfigStorage").Byte({0, 0, 0});
  const auto root = ReadComponentStream(bytes.Bytes());
  EXPECT_EQ(root->ImageIndex, 5);
  ASSERT_EQ(root->ChildCount(), 1);
  EXPECT_EQ(root->Child(0).ClassName(), "TConfigStorage");
}

}  // namespace
}  // namespace bw
