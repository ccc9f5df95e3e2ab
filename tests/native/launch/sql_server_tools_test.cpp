#include "launch/sql_server_tools.h"

#include <gtest/gtest.h>

#include "launch/discovery_reply.h"
#include "platform/fake/event_log.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_sql_server.h"
#include "platform/fake/recording_messages.h"
#include "platform/fake/scripted_datagrams.h"

namespace bw {
namespace {

using Names = std::vector<std::string>;

std::vector<std::uint8_t> Reply(std::string_view text) {
  std::vector<std::uint8_t> bytes{kSsrpResponse, static_cast<std::uint8_t>(text.size() & 0xff),
                                  static_cast<std::uint8_t>(text.size() >> 8)};
  bytes.insert(bytes.end(), text.begin(), text.end());
  return bytes;
}

// Hands the tools a socket that forwards to the test's scripted one.
class ForwardingSocket final : public platform::DatagramSocket {
public:
  explicit ForwardingSocket(platform::DatagramSocket& inner) : inner_(inner) {}
  void Send(std::span<const std::uint8_t> bytes, const platform::DatagramAddress& to) override {
    inner_.Send(bytes, to);
  }
  std::optional<platform::ReceivedDatagram> Receive(std::span<std::uint8_t> buffer, std::chrono::milliseconds wait) override {
    return inner_.Receive(buffer, wait);
  }

private:
  platform::DatagramSocket& inner_;
};

class OfferedPicker final : public DatabasePicker {
public:
  std::optional<std::string> Pick(const std::vector<std::string>& names) override {
    offered = names;
    return answer;
  }
  std::optional<std::string> answer;
  Names offered;
};

struct Tools {
  fake::EventLog log;
  fake::FakeClock clock{log};
  fake::ScriptedDatagrams datagrams{clock};
  fake::FakeSqlServer server;
  OfferedPicker picker;
  platform::RecordingMessages messages;
  int openings = 0;
  SqlServerSupport support{[this] {
                             ++openings;
                             return std::make_unique<ForwardingSocket>(datagrams);
                           },
                           clock, server, picker, messages};
};

TEST(SqlServerSupportTest, DiscoveryKeepsOneSocketAndWhatCameBeforeAFailure) {
  Tools t;
  t.datagrams.Reply(Reply("ServerName;SRV2;InstanceName;MSSQLSERVER;;"));
  t.datagrams.Reply(Reply("ServerName;SRV1;InstanceName;NAV;;"));
  t.datagrams.steps.push_back({{}, {}, true, 0});  // then the socket fails
  std::vector<Names> shown;
  const DiscoveredServers found = t.support.DiscoverServers([&](const Names& names) { shown.push_back(names); });
  EXPECT_TRUE(found.failed);
  EXPECT_EQ(found.names, (Names{"SRV1\\NAV", "SRV2"}));
  EXPECT_EQ(shown, (std::vector<Names>{{"SRV2"}, {"SRV1\\NAV", "SRV2"}}));

  const DiscoveredServers quiet = t.support.DiscoverServers({});  // nobody answers: no error
  EXPECT_FALSE(quiet.failed);
  EXPECT_TRUE(quiet.names.empty());
  EXPECT_EQ(t.openings, 1);
  EXPECT_EQ(t.datagrams.sent.size(), 2u);
}

TEST(SqlServerSupportTest, PickAndTestReportThroughTheListingFlow) {
  Tools t;
  t.server.user = "nav";
  t.server.password = "p;w={x";
  t.picker.answer = "msdb";
  const platform::SqlLogin login{"SRV1", false, "nav", "p;w={x"};
  EXPECT_EQ(t.support.PickDatabase(login), std::optional<std::string>("msdb"));
  EXPECT_EQ(t.picker.offered, (Names{"master", "tempdb", "model", "msdb"}));
  t.support.TestConnection(login);
  ASSERT_EQ(t.messages.shown.size(), 1u);
  EXPECT_EQ(t.messages.shown[0].text, "Successfully connected to SQL Server 'SRV1'");

  const platform::SqlLogin wrong{"SRV1", false, "nav", "nope"};
  EXPECT_EQ(t.support.PickDatabase(wrong), std::nullopt);
  ASSERT_EQ(t.messages.shown.size(), 2u);
  EXPECT_EQ(t.messages.shown[1].text,
            "Cannot connect to SQL Server 'SRV1'. Please check server, username, and password.");
}

}  // namespace
}  // namespace bw
