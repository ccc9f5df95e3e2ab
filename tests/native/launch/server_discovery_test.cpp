#include <gtest/gtest.h>

#include <string>

#include "launch/discovery_reply.h"
#include "launch/server_discovery.h"
#include "platform/fake/event_log.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fixed_adapters.h"
#include "platform/fake/recording_messages.h"
#include "platform/fake/scripted_datagrams.h"

namespace bw {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Entries = std::vector<std::string>;
using namespace std::chrono_literals;

Bytes Reply(std::string_view text, std::uint8_t type = kSsrpResponse) {
  Bytes bytes{type, static_cast<std::uint8_t>(text.size() & 0xff), static_cast<std::uint8_t>(text.size() >> 8)};
  bytes.insert(bytes.end(), text.begin(), text.end());
  return bytes;
}

Entries Walk(std::initializer_list<Bytes> datagrams) {
  ServerList list;
  ReplyFieldWalk walk;
  for (const auto& datagram : datagrams) walk.Walk(datagram, list);
  return list.Entries();
}

TEST(ReplyFieldWalkTest, DefaultAndNamedInstancesOfOneReply) {
  EXPECT_EQ(Walk({Reply("ServerName;SRV1;InstanceName;MSSQLSERVER;IsClustered;No;Version;8.00.194;;"
                        "ServerName;SRV1;InstanceName;NAV;IsClustered;No;Version;9.00.139;;")}),
            (Entries{"SRV1", "SRV1\\NAV"}));
  // Only the exact upper-case name is the default instance.
  EXPECT_EQ(Walk({Reply("ServerName;SRV1;InstanceName;mssqlserver;;")}), (Entries{"SRV1\\mssqlserver"}));
}

TEST(ReplyFieldWalkTest, KeysAreCaseSensitiveAndRecognisedByTheirBeginning) {
  EXPECT_EQ(Walk({Reply("ServerNameX;SRV1;InstanceNameY;NAV;")}), (Entries{"SRV1\\NAV"}));
  EXPECT_EQ(Walk({Reply("servername;SRV1;instancename;NAV;")}), Entries{});
  // An instance name without a server name in the same reply adds nothing.
  EXPECT_EQ(Walk({Reply("InstanceName;NAV;IsClustered;No;")}), Entries{});
}

TEST(ReplyFieldWalkTest, AnUnendedLastPieceIsNotVisited) {
  EXPECT_EQ(Walk({Reply("ServerName;SRV1;InstanceName;NAV")}), Entries{});
  EXPECT_EQ(Walk({Reply("ServerName;SRV1;InstanceName;NAV;")}), (Entries{"SRV1\\NAV"}));
}

TEST(ReplyFieldWalkTest, AnInstancePairsWithItsGroupsServerInEitherOrder) {
  EXPECT_EQ(Walk({Reply("ServerName;SRV1;InstanceName;NAV;;ServerName;SRV2;InstanceName;MSSQLSERVER;;")}),
            (Entries{"SRV1\\NAV", "SRV2"}));
  EXPECT_EQ(Walk({Reply("InstanceName;NAV;ServerName;SRV1;")}), (Entries{"SRV1\\NAV"}));
  EXPECT_EQ(Walk({Reply("InstanceName;NAV;ServerName;SRV1;;ServerName;SRV1;InstanceName;DEV;")}),
            (Entries{"SRV1\\DEV", "SRV1\\NAV"}));
}

TEST(ReplyFieldWalkTest, OnlyNamesASqlServerCanHaveAreListed) {
  const std::string longest(255, 'S');
  const struct {
    std::string server, instance;
    bool listed;
  } cases[] = {
      {"srv-1_a.corp", "Nav_2$#9", true},  {longest, "MSSQLSERVER", true},
      {longest + "S", "MSSQLSERVER", false}, {"SRV1", "SIXTEENCHARSLONG", true},
      {"SRV1", "SEVENTEENCHARSLNG", false}, {"SRV1,ntauthentication=1", "MSSQLSERVER", false},
      {"SRV1", "NAV=1", false},             {"SRV 1", "NAV", false},
      {"SRV1", "NA\x01V", false},          {"SRV\xe9" "1", "NAV", false},
      {"SRV1", "NAV\\X", false},          {"SRV1", "NAV-X", false},
  };
  for (const auto& c : cases) {
    const Entries entries = Walk({Reply("ServerName;" + c.server + ";InstanceName;" + c.instance + ";")});
    EXPECT_EQ(entries.size(), c.listed ? 1u : 0u) << c.server << " " << c.instance;
  }
}

TEST(ReplyFieldWalkTest, MarkersCarryOverToTheNextReplyOfTheSameDiscovery) {
  // The server text starts empty in every reply, but a key at the end of one reply still
  // marks the first field of the next.
  EXPECT_EQ(Walk({Reply("InstanceName;NAV;ServerName;"), Reply("SRV9;InstanceName;DEV;")}), (Entries{"SRV9\\DEV"}));
}

TEST(ReplyFieldWalkTest, TwoServersAreSortedWithoutRegardToCaseAndListedOnce) {
  EXPECT_EQ(Walk({Reply("ServerName;srv2;InstanceName;MSSQLSERVER;;"), Reply("ServerName;SRV1;InstanceName;NAV;;"),
                  Reply("ServerName;SRV2;InstanceName;MSSQLSERVER;;")}),
            (Entries{"SRV1\\NAV", "srv2"}));
}

TEST(ReplyFieldWalkTest, HostileRepliesGiveNothingAndNeverReadPastTheDatagram) {
  EXPECT_EQ(Walk({Bytes{}, Bytes{0x05}, Bytes{0x05, 0x10}, Bytes{0x05, 0xff, 0xff}}), Entries{});
  EXPECT_EQ(Walk({Reply("ServerName SRV1 InstanceName NAV")}), Entries{});
  // Another response type is not an answer, however well formed.
  EXPECT_EQ(Walk({Reply("ServerName;SRV1;InstanceName;NAV;", 0x04)}), Entries{});
  // Binary noise with ";" in it is read safely, and whatever it adds is a name of the rules.
  Bytes noise = Reply("ServerName;InstanceName;");
  for (int i = 0; i < 4096; ++i) noise.push_back(static_cast<std::uint8_t>((i * 37 + 11) % 256));
  for (const std::string& entry : Walk({noise})) {
    const auto slash = entry.find('\\');
    EXPECT_TRUE(IsSqlServerName(entry.substr(0, slash))) << entry;
    if (slash != std::string::npos) {
      EXPECT_TRUE(IsSqlInstanceName(entry.substr(slash + 1))) << entry;
    }
  }
}

TEST(ReplyFieldWalkTest, AReplyLongerThanTheOldReceiveBufferIsReadWhole) {
  std::string text;
  while (text.size() < 9000) text += "Version;8.00.194;";
  text += "ServerName;FAR;InstanceName;AWAY;;";
  Bytes big = Reply(text);
  big.resize(65507, ';');
  EXPECT_EQ(Walk({big}), (Entries{"FAR\\AWAY"}));
}

TEST(ReplyFieldWalkTest, AFloodOfNamesStopsAtTheListsLimit) {
  // Two replies of 2500 names each, about as long as a datagram can be.
  std::string first;
  std::string second;
  for (int i = 0; i < 2500; ++i) {
    first += "ServerName;S" + std::to_string(i) + ";InstanceName;I;";
    second += "ServerName;T" + std::to_string(i) + ";InstanceName;I;";
  }
  const auto entries = Walk({Reply(first), Reply(second), Reply(first + second)});
  EXPECT_EQ(entries.size(), ServerList::kMaxEntries);
}

struct DiscoveryScene {
  fake::EventLog log;
  fake::FakeClock clock{log};
  fake::ScriptedDatagrams socket{clock};
  DiscoveryOptions options{{"127.0.0.1", 51434}, kSsrpBroadcastRequest, 3000ms, 15000ms};
};

TEST(DiscoverSqlServersTest, OneRequestThenRepliesUntilTheNetworkIsQuiet) {
  DiscoveryScene scene;
  scene.socket.Reply(Reply("ServerName;B;InstanceName;MSSQLSERVER;;"), 100ms);
  scene.socket.Reply(Reply("ServerName;A;InstanceName;NAV;;"), 2900ms);
  // A datagram from another port is no reply.
  scene.socket.Reply(Reply("ServerName;EVIL;InstanceName;MSSQLSERVER;;"), 0ms, 51435);
  std::vector<Entries> updates;
  const auto found = DiscoverSqlServers(scene.socket, scene.clock, scene.options,
                                        [&](const Entries& entries) { updates.push_back(entries); });
  EXPECT_EQ(found, (Entries{"A\\NAV", "B"}));
  EXPECT_EQ(updates, (std::vector<Entries>{{"B"}, {"A\\NAV", "B"}}));
  ASSERT_EQ(scene.socket.sent, (std::vector<Bytes>{{0x02}}));
  EXPECT_EQ(scene.socket.sentTo[0].host, "127.0.0.1");
  EXPECT_EQ(scene.socket.sentTo[0].port, 51434);
  EXPECT_EQ(scene.clock.Elapsed(), 100ms + 2900ms + 3000ms);
}

TEST(DiscoverSqlServersTest, TheBroadcastGoesAlsoToEveryAdaptersNetworkThroughTheOneSocket) {
  struct Case {
    platform::Ipv4Network network;
    std::optional<std::string> broadcast;
  };
  for (const Case& c : {Case{{0x0A010203, 24}, "10.1.2.255"}, Case{{0xAC100504, 12}, "172.31.255.255"},
                        Case{{0xC0A83801, 30}, "192.168.56.3"}, Case{{0x0A000001, 8}, "10.255.255.255"},
                        Case{{0xC0A83801, 31}, std::nullopt}, Case{{0xC0A83801, 32}, std::nullopt},
                        Case{{0xC0A83801, 0}, std::nullopt}})
    EXPECT_EQ(DirectedBroadcast(c.network), c.broadcast) << c.network.prefixLength;

  // Nothing leaves the machine: the socket is scripted.
  DiscoveryScene scene;
  fake::FixedAdapters adapters;
  adapters.networks = {{0x0A010203, 24}, {0xC0A83801, 24}, {0x0A0102F0, 24}, {0xA9FE0304, 32}};
  scene.options.adapters = &adapters;
  scene.socket.Reply(Reply("ServerName;A;InstanceName;NAV;;"));
  EXPECT_EQ(DiscoverSqlServers(scene.socket, scene.clock, scene.options), (Entries{"A\\NAV"}));
  EXPECT_EQ(adapters.reads, 0);  // a named host is asked alone
  EXPECT_EQ(scene.socket.sentTo.size(), 1u);

  scene.options.target.host = "255.255.255.255";
  scene.socket.refusedHosts = {"10.1.2.255"};  // that adapter went down: the others still hear
  scene.socket.Reply(Reply("ServerName;B;InstanceName;MSSQLSERVER;;"));
  EXPECT_EQ(DiscoverSqlServers(scene.socket, scene.clock, scene.options), (Entries{"B"}));
  std::vector<std::string> hosts;
  for (std::size_t i = 1; i < scene.socket.sentTo.size(); ++i) {
    hosts.push_back(scene.socket.sentTo[i].host);
    EXPECT_EQ(scene.socket.sentTo[i].port, 51434);
    EXPECT_EQ(scene.socket.sent[i], Bytes{0x02});
  }
  EXPECT_EQ(hosts, (std::vector<std::string>{"255.255.255.255", "192.168.56.255"}));
  EXPECT_EQ(adapters.reads, 1);

  scene.socket.refusedHosts = {"255.255.255.255"};  // the broadcast itself failing is the socket failing
  EXPECT_THROW(DiscoverSqlServers(scene.socket, scene.clock, scene.options), platform::DatagramError);
}

TEST(DiscoverSqlServersTest, ServersThatNeverFallSilentAreCutOffAtTheLimit) {
  DiscoveryScene scene;
  scene.socket.repeatForever = Reply("ServerName;CHATTY;InstanceName;MSSQLSERVER;;");
  EXPECT_EQ(DiscoverSqlServers(scene.socket, scene.clock, scene.options), (Entries{"CHATTY"}));
  EXPECT_LE(scene.clock.Elapsed(), 15000ms);
  EXPECT_GE(scene.clock.Elapsed(), 14000ms);
}

}  // namespace
}  // namespace bw
