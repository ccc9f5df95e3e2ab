// The commands, run in process on temporary files.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "command.h"
#include "platform/fake/fake_secret_protection.h"
#include "platform/fake/temp_folder.h"
#include "platform/native/native_file_system.h"
#include "settings/component_stream.h"
#include "settings/file_cipher.h"
#include "settings/protected_password.h"
#include "settings_tree_support.h"

namespace bw::bwconfig {
namespace {

using Bytes = std::vector<std::uint8_t>;

class BwconfigTest : public ::testing::Test {
protected:
  int Run(std::vector<std::string> args) {
    out.str("");
    err.str("");
    ToolContext context{out, err, files, defaultPath, protection};
    return RunBwconfig(args, context);
  }

  void Write(const std::string& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
  }
  void Write(const std::string& path, const std::string& text) { Write(path, Bytes(text.begin(), text.end())); }
  Bytes Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  bool Exists(const std::string& path) { return files.FileExists(path); }

  platform::TempFolder temp;
  platform::NativeFileSystem files;
  std::function<std::string()> defaultPath;
  platform::SecretProtection* protection = nullptr;
  std::ostringstream out;
  std::ostringstream err;
  Bytes streamBytes = WriteComponentStream(*MakeRichTree());
};

TEST_F(BwconfigTest, ConfigThroughJsonBackToConfigIsByteIdentical) {
  const Bytes config = EncipherSettings(streamBytes);
  Write(temp / "a.config", config);
  ASSERT_EQ(Run({"convert", temp / "a.config", temp / "a.json"}), 0) << err.str();
  ASSERT_EQ(Run({"convert", temp / "a.json", temp / "b.config"}), 0) << err.str();
  EXPECT_EQ(Read(temp / "b.config"), config);
  EXPECT_EQ(Read(temp / "a.config"), config);
  EXPECT_EQ(err.str(), "");
}

TEST_F(BwconfigTest, StreamThroughJsonGivesTheWritersBytes) {
  Write(temp / "a.stream", streamBytes);
  ASSERT_EQ(Run({"convert", temp / "a.stream", temp / "a.json"}), 0) << err.str();
  ASSERT_EQ(Run({"convert", "--to", "stream", temp / "a.json", temp / "b.bin"}), 0) << err.str();
  EXPECT_EQ(Read(temp / "b.bin"), streamBytes);
  ASSERT_EQ(Run({"convert", "--from=stream", "--to=config", temp / "b.bin", temp / "c.dat"}), 0) << err.str();
  EXPECT_EQ(Read(temp / "c.dat"), EncipherSettings(streamBytes));
}

TEST_F(BwconfigTest, AnEmptiedTextReadsAsWhatBrackwaterWouldLoad) {
  // An emptied string field is absent from the stream and loads as its default.
  auto tree = MakeRichTree();
  General(*tree).Indent.clear();
  Write(temp / "a.stream", WriteComponentStream(*tree));
  ASSERT_EQ(Run({"show", temp / "a.stream"}), 0) << err.str();
  EXPECT_NE(out.str().find("\"Indent\": \"Shift+Ctrl+.\""), std::string::npos);
}

TEST_F(BwconfigTest, ShowMasksPasswordsUnlessAsked) {
  Write(temp / "Brackwater.config", EncipherSettings(streamBytes));
  ASSERT_EQ(Run({"show", temp / "Brackwater.config"}), 0) << err.str();
  EXPECT_NE(out.str().find("\"Password\": \"********\""), std::string::npos);
  EXPECT_EQ(out.str().find("cret"), std::string::npos);
  ASSERT_EQ(Run({"show", "--passwords", temp / "Brackwater.config"}), 0) << err.str();
  EXPECT_NE(out.str().find("\"Password\": \"s\xC3\xA9" "cret\""), std::string::npos);
  // Any other extension is read as the enciphered file; --from overrides.
  Write(temp / "settings.bak", EncipherSettings(streamBytes));
  EXPECT_EQ(Run({"show", temp / "settings.bak"}), 0) << err.str();
  Write(temp / "plain.bak", streamBytes);
  EXPECT_EQ(Run({"show", "--from", "stream", temp / "plain.bak"}), 0) << err.str();

  // A protected password: masked as any other; in clear only for its owner, else "protected".
  platform::FakeSecretProtection owner;
  auto tree = MakeRichTree();
  WalkConfigs(ConfigsFolder(*tree), [&](TConfigStorage& config, int) {
    if (!config.Password.empty()) config.Password = *ProtectPassword("pw9", owner);
  });
  Write(temp / "p.stream", WriteComponentStream(*tree));
  ASSERT_EQ(Run({"show", temp / "p.stream"}), 0) << err.str();
  EXPECT_NE(out.str().find("\"Password\": \"********\""), std::string::npos);
  ASSERT_EQ(Run({"show", "--passwords", temp / "p.stream"}), 0) << err.str();
  EXPECT_NE(out.str().find("\"Password\": \"protected\""), std::string::npos);
  EXPECT_NE(err.str().find("cannot be read here"), std::string::npos);
  protection = &owner;
  ASSERT_EQ(Run({"show", "--passwords", temp / "p.stream"}), 0) << err.str();
  EXPECT_NE(out.str().find("\"Password\": \"pw9\""), std::string::npos);
  EXPECT_EQ(err.str(), "");
}

TEST_F(BwconfigTest, ShowWithoutFileUsesThePlatformRuleOrAsksForOne) {
  EXPECT_EQ(Run({"show"}), 2);
  EXPECT_NE(err.str().find("bwconfig: name the settings file"), std::string::npos);
  Write(temp / "Brackwater.config", EncipherSettings(streamBytes));
  defaultPath = [this] { return temp / "Brackwater.config"; };
  EXPECT_EQ(Run({"show"}), 0) << err.str();
  EXPECT_NE(out.str().find("\"class\": \"TBrackwaterStorage\""), std::string::npos);
}

TEST_F(BwconfigTest, BadInputFailsWithOneLineAndTouchesNothing) {
  const std::string bad = "{\"class\": \"TStorage\", \"Colour\": 1}";
  Write(temp / "bad.json", bad);
  Write(temp / "out.config", std::string("keep me"));
  EXPECT_EQ(Run({"convert", temp / "bad.json", temp / "out.config"}), 1);
  EXPECT_EQ(err.str(), "bwconfig: " + (temp / "bad.json") + ": record /: TStorage has no field \"Colour\"\n");
  EXPECT_EQ(Read(temp / "bad.json"), Bytes(bad.begin(), bad.end()));
  EXPECT_EQ(Read(temp / "out.config"), Bytes({'k', 'e', 'e', 'p', ' ', 'm', 'e'}));

  Write(temp / "short.config", Bytes{1, 2, 3});
  EXPECT_EQ(Run({"convert", temp / "short.config", temp / "x.json"}), 1);
  EXPECT_NE(err.str().find("not an enciphered settings file"), std::string::npos);
  EXPECT_FALSE(Exists(temp / "x.json"));

  Write(temp / "noise.config", EncipherSettings(Bytes(64, 0x5A)));
  EXPECT_EQ(Run({"convert", temp / "noise.config", temp / "x.json"}), 1);
  EXPECT_NE(err.str().find("does not decipher to settings"), std::string::npos);

  Write(temp / "noise.stream", Bytes{'T', 'P', 'F', '0', 3, 'A'});
  EXPECT_EQ(Run({"show", temp / "noise.stream"}), 1);
  EXPECT_NE(err.str().find("not a settings record stream"), std::string::npos);
  EXPECT_EQ(out.str(), "");

  EXPECT_EQ(Run({"show", temp / "missing.config"}), 1);
  EXPECT_NE(err.str().find("missing.config: no such file"), std::string::npos);
  const std::string lastError = err.str();
  EXPECT_EQ(std::count(lastError.begin(), lastError.end(), '\n'), 1);
}

TEST_F(BwconfigTest, RefusesToWriteOverTheInputOrIntoAMissingFolder) {
  Write(temp / "a.stream", streamBytes);
  EXPECT_EQ(Run({"convert", "--to", "stream", temp / "a.stream", temp / "./a.stream"}), 1);
  EXPECT_NE(err.str().find("is the input file"), std::string::npos);
  EXPECT_EQ(Read(temp / "a.stream"), streamBytes);
  EXPECT_EQ(Run({"convert", temp / "a.stream", temp / "no-such-folder/a.json"}), 1);
  EXPECT_NE(err.str().find("cannot be written"), std::string::npos);
}

TEST_F(BwconfigTest, CommandLineMistakesExitWithTwo) {
  EXPECT_EQ(Run({}), 2);
  EXPECT_EQ(Run({"frobnicate"}), 2);
  EXPECT_NE(err.str().find("unknown command \"frobnicate\""), std::string::npos);
  EXPECT_EQ(Run({"convert", "a.json"}), 2);
  EXPECT_NE(err.str().find("usage: bwconfig convert"), std::string::npos);
  EXPECT_EQ(Run({"convert", "a.txt", "b.json"}), 2);
  EXPECT_NE(err.str().find("cannot tell the format of \"a.txt\""), std::string::npos);
  EXPECT_EQ(Run({"convert", "--from", "xml", "a.txt", "b.json"}), 2);
  EXPECT_EQ(Run({"convert", "--to"}), 2);
  EXPECT_EQ(Run({"show", "--verbose", "a.config"}), 2);
  EXPECT_EQ(Run({"show", "a.config", "b.config"}), 2);
}

TEST_F(BwconfigTest, HelpListsEveryCommand) {
  EXPECT_EQ(Run({"--help"}), 0);
  for (const auto& command : Commands())
    EXPECT_NE(out.str().find("bwconfig " + std::string(command.name) + " "), std::string::npos) << command.name;
  EXPECT_EQ(Run({"convert", "--help"}), 0);
  EXPECT_EQ(out.str().rfind("usage: bwconfig convert [--from FMT] [--to FMT] IN OUT\n", 0), 0u);
  EXPECT_NE(FindCommand("show"), nullptr);
  EXPECT_NE(FindCommand("convert"), nullptr);
}

}  // namespace
}  // namespace bw::bwconfig
