#include <gtest/gtest.h>

#include "launch/database_listing.h"
#include "platform/fake/fake_sql_server.h"
#include "platform/fake/recording_messages.h"

namespace bw {
namespace {

using namespace std::chrono_literals;
using Kind = platform::RecordingMessages::Shown::Kind;
using Names = std::vector<std::string>;

struct ScriptedPicker final : DatabasePicker {
  std::optional<std::string> Pick(const Names& names) override {
    shown.push_back(names);
    return answer;
  }
  std::optional<std::string> answer;
  std::vector<Names> shown;
};

struct ListingScene {
  fake::FakeSqlServer server;
  ScriptedPicker picker;
  platform::RecordingMessages messages;
  platform::SqlLogin login{"SRV1", false, "sa", "s3cret"};
};

TEST(ListSqlDatabasesTest, ListsEveryDatabaseInTheServersOrderAndGivesThePick) {
  ListingScene scene;
  scene.picker.answer = "msdb";
  EXPECT_EQ(ListSqlDatabases(scene.server, scene.login, scene.picker, scene.messages), "msdb");
  EXPECT_EQ(scene.picker.shown, (std::vector<Names>{{"master", "tempdb", "model", "msdb"}}));
  ASSERT_EQ(scene.server.attempts.size(), 1u);
  EXPECT_EQ(scene.server.attempts[0].loginTimeout, 1s);
  EXPECT_EQ(scene.server.queries, (Names{"SELECT * FROM SYSDATABASES"}));
  EXPECT_EQ(scene.server.queryTimeouts, (std::vector<std::chrono::seconds>{3s}));
  EXPECT_TRUE(scene.messages.shown.empty());
}

TEST(ListSqlDatabasesTest, CancelAndOkWithoutASelectionChangeNothing) {
  ListingScene scene;
  scene.picker.answer = std::nullopt;
  EXPECT_EQ(ListSqlDatabases(scene.server, scene.login, scene.picker, scene.messages), std::nullopt);
  scene.picker.answer = "";
  EXPECT_EQ(ListSqlDatabases(scene.server, scene.login, scene.picker, scene.messages), std::nullopt);
  EXPECT_TRUE(scene.messages.shown.empty());
}

TEST(ListSqlDatabasesTest, EveryFailureWarnsBeforeThePickDialogShows) {
  const auto failsWith = [](auto spoil) -> std::string {
    ListingScene scene;
    scene.server.user = "sa";
    scene.server.password = "s3cret";
    spoil(scene);
    EXPECT_EQ(ListSqlDatabases(scene.server, scene.login, scene.picker, scene.messages), std::nullopt);
    EXPECT_TRUE(scene.picker.shown.empty());
    EXPECT_EQ(scene.messages.shown.size(), 1u);
    if (scene.messages.shown.size() != 1u) return {};
    EXPECT_EQ(scene.messages.shown[0].kind, Kind::Warning);
    return scene.messages.shown[0].text;
  };
  EXPECT_EQ(failsWith([](ListingScene& s) { s.login.password = "wrong"; }),
            "Cannot connect to SQL Server 'SRV1'. Please check server, username, and password.");
  EXPECT_EQ(failsWith([](ListingScene& s) { s.login.server = "ELSEWHERE\\NAV"; }),
            "Cannot connect to SQL Server 'ELSEWHERE\\NAV'. Please check server, username, and password.");
  // A query slower than its time-out is a failure, not an empty list.
  failsWith([](ListingScene& s) { s.server.queryTakes = 5s; });
  // An empty server text is passed on as it is.
  EXPECT_EQ(failsWith([](ListingScene& s) { s.login.server = ""; }),
            "Cannot connect to SQL Server ''. Please check server, username, and password.");
}

TEST(TestSqlConnectionTest, InformsOnSuccessWarnsOnFailure) {
  ListingScene scene;
  scene.server.acceptsWindowsLogin = true;
  scene.login = {"SRV1", true, "ignored", "ignored"};
  EXPECT_TRUE(TestSqlConnection(scene.server, scene.login, scene.messages));
  EXPECT_EQ(scene.server.attempts.back().loginTimeout, 2s);
  EXPECT_TRUE(scene.server.queries.empty());
  ASSERT_EQ(scene.messages.shown.size(), 1u);
  EXPECT_EQ(scene.messages.shown[0].kind, Kind::Information);
  EXPECT_EQ(scene.messages.shown[0].text, "Successfully connected to SQL Server 'SRV1'");

  scene.server.acceptsWindowsLogin = false;
  EXPECT_FALSE(TestSqlConnection(scene.server, scene.login, scene.messages));
  EXPECT_EQ(scene.messages.shown.back().kind, Kind::Warning);
}

}  // namespace
}  // namespace bw
