#include "json_settings.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "settings/component_stream.h"
#include "settings_tree_support.h"

namespace bw::bwconfig {
namespace {

using Json = nlohmann::ordered_json;

TEST(JsonSettings, WritesClassEveryFieldInOrderAndChildren) {
  TStorage root;
  root.AddChild(std::make_unique<TConfigStorage>());
  const Json json = Json::parse(WriteSettingsJson(root));
  EXPECT_EQ(json["class"], "TStorage");
  const Json& config = json["children"][0];
  std::vector<std::string> keys;
  for (const auto& [key, value] : config.items()) keys.push_back(key);
  const std::vector<std::string> expected = {
      "class", "DisplayName", "ImageIndex", "ConfigName", "ExecutablePath", "UseServer", "Database", "Server", "Port",
      "NetType", "Company", "UseNTAuthentication", "Username", "Password", "IsSubMenu", "IsNative", "Hotkey", "children"};
  EXPECT_EQ(keys, expected);
  EXPECT_EQ(config["ImageIndex"], -1);
  EXPECT_EQ(config["NetType"], "TCP");
  EXPECT_EQ(config["UseServer"], false);
  EXPECT_TRUE(config["children"].is_array());
}

TEST(JsonSettings, RoundTripKeepsEveryValueAndByte) {
  const auto tree = MakeRichTree();
  const std::string text = WriteSettingsJson(*tree);
  const Json json = Json::parse(text);
  EXPECT_EQ(json["children"][0]["VarList"][1], "Ticket=NAV-17");
  EXPECT_EQ(json["children"][0]["Author"], "J\xC3\xB6rg M\xC3\xBCller");
  EXPECT_EQ(json["children"][1]["children"][0]["children"][1]["NavServerManagementPort"], 7045);

  const auto back = ReadSettingsJson(text);
  EXPECT_EQ(WriteComponentStream(*back), WriteComponentStream(*tree));
  EXPECT_EQ(WriteSettingsJson(*back), text);
  EXPECT_EQ(General(*back).Company.size(), 256u);
}

TEST(JsonSettings, MasksOnlyNonEmptyPasswordsWhenAsked) {
  const auto tree = MakeRichTree();
  JsonWriteOptions masked;
  masked.maskPasswords = true;
  const Json shown = Json::parse(WriteSettingsJson(*tree, masked));
  const Json& folder = shown["children"][1]["children"][0];
  EXPECT_EQ(folder["Password"], "");
  EXPECT_EQ(folder["children"][0]["Password"], "********");
  EXPECT_EQ(folder["children"][0]["Username"], "admin");
  const Json full = Json::parse(WriteSettingsJson(*tree));
  EXPECT_EQ(full["children"][1]["children"][0]["children"][0]["Password"], "s\xC3\xA9" "cret");
}

TEST(JsonSettings, MissingFieldsKeepConstructionDefaults) {
  const auto root = ReadSettingsJson(R"({"class": "TStorage", "children": [
      {"class": "TBrackwaterStorage", "Author": "me"},
      {"class": "TConfigStorage", "Port": 2407}]})");
  const auto& general = dynamic_cast<const TBrackwaterStorage&>(root->Child(0));
  EXPECT_EQ(general.Author, "me");
  EXPECT_EQ(general.Indent, "Shift+Ctrl+.");
  EXPECT_TRUE(general.ActivateViaCTRLSpace);
  const auto& config = dynamic_cast<const TConfigStorage&>(root->Child(1));
  EXPECT_EQ(config.Port, 2407);
  EXPECT_EQ(config.NetType, "TCP");
  EXPECT_EQ(config.ImageIndex, -1);
  EXPECT_EQ(config.ChildCount(), 0);
}

struct BadJson {
  const char* text;
  const char* message;
};

class JsonSettingsErrors : public ::testing::TestWithParam<BadJson> {};

TEST_P(JsonSettingsErrors, NameWhatIsWrong) {
  try {
    ReadSettingsJson(GetParam().text);
    FAIL() << "accepted " << GetParam().text;
  } catch (const JsonSettingsError& e) {
    EXPECT_NE(std::string(e.what()).find(GetParam().message), std::string::npos) << e.what();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, JsonSettingsErrors,
    ::testing::Values(
        BadJson{"", "not valid JSON"}, BadJson{"{\"class\": \"TStorage\"", "not valid JSON"},
        BadJson{"{\"class\": \"TStorage\"} trailing", "not valid JSON"},
        BadJson{"{\"class\": \"TStorage\", \"DisplayName\": \"\xFF\"}", "not valid JSON"},
        BadJson{"[]", "record /: expected an object, found array"},
        BadJson{"{}", "record /: \"class\" is missing"}, BadJson{"{\"class\": 5}", "\"class\" must be a string"},
        BadJson{"{\"class\": \"TForm\"}", "unknown class \"TForm\""},
        BadJson{"{\"class\": \"TStorage\", \"Port\": 1}", "TStorage has no field \"Port\""},
        BadJson{"{\"class\": \"TStorage\", \"HotkeyFailed\": true}", "no field \"HotkeyFailed\""},
        BadJson{"{\"class\": \"TConfigStorage\", \"Port\": \"2407\"}", "field \"Port\": expected an integer, found string"},
        BadJson{"{\"class\": \"TConfigStorage\", \"Port\": 1.5}", "expected an integer, found number"},
        BadJson{"{\"class\": \"TConfigStorage\", \"Port\": 2147483648}", "integer outside the 32-bit range"},
        BadJson{"{\"class\": \"TConfigStorage\", \"Port\": -2147483649}", "integer outside the 32-bit range"},
        BadJson{"{\"class\": \"TConfigStorage\", \"Port\": 18446744073709551615}", "outside the 32-bit range"},
        BadJson{"{\"class\": \"TConfigStorage\", \"Port\": 1E400}", "not valid JSON"},
        BadJson{"{\"class\": \"TConfigStorage\", \"IsNative\": 1}", "expected true or false, found number"},
        BadJson{"{\"class\": \"TConfigStorage\", \"Server\": null}", "expected a string, found null"},
        BadJson{"{\"class\": \"TConfigStorage\", \"Server\": \"\\u20AD\"}", "ANSI code page cannot store"},
        BadJson{"{\"class\": \"TBrackwaterStorage\", \"VarList\": \"a=b\"}", "expected an array of strings"},
        BadJson{"{\"class\": \"TBrackwaterStorage\", \"VarList\": [\"a\", 1]}", "field \"VarList\": expected a string"},
        BadJson{"{\"class\": \"TStorage\", \"children\": {}}", "\"children\" must be an array"},
        BadJson{"{\"class\": \"TStorage\", \"children\": [{\"class\": \"TStorage\"}, 3]}",
                "record /children/1: expected an object"},
        BadJson{"{\"class\": \"TStorage\", \"children\": [{\"class\": \"TStorage\", \"children\": [{\"class\": \"X\"}]}]}",
                "record /children/0/children/0: unknown class"}));

std::string Nested(int levels) {
  std::string text;
  for (int i = 0; i < levels; ++i) text += R"({"class": "TStorage", "children": [)";
  text += R"({"class": "TStorage"})";
  for (int i = 0; i < levels; ++i) text += "]}";
  return text;
}

TEST(JsonSettings, BoundsNesting) {
  EXPECT_NO_THROW(ReadSettingsJson(Nested(200)));
  EXPECT_THROW(ReadSettingsJson(Nested(300)), JsonSettingsError);
  // Deep nesting of plain arrays is refused while parsing, before anything is built.
  EXPECT_THROW(ReadSettingsJson(std::string(200000, '[') + std::string(200000, ']')), JsonSettingsError);
}

}  // namespace
}  // namespace bw::bwconfig
