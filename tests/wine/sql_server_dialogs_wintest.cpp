// The SQL Server dialogs under Wine: "Available Databases" alone and as the database button's
// flow runs it (the list in the server's order, OK, a double click, Escape, the warning when the
// server fails), and discovery over Winsock as the configuration dialog runs it.
#include <winsock2.h>
#include <windows.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "dialog_driver.h"
#include "launch/database_listing.h"
#include "platform/win32/win32_messages.h"
#include "ui/win32/frm_available_databases.h"
#include "ui/win32/sql_server_dialog_tools.h"
#include "wintest.h"

namespace {

using namespace bw::wintest;
using bw::ui::WindowText;
using Names = std::vector<std::string>;

constexpr int kList = 100;
const char* const kCaption = "Available Databases";

std::optional<std::string> PickWith(const Names& names, std::function<void(HWND dialog, HWND list)> drive) {
  Driver driver({kCaption, "Warning"}, [&] {
    const HWND dialog = WaitForDialog(kCaption);
    ASSERT_TRUE(dialog != nullptr);
    drive(dialog, GetDlgItem(dialog, kList));
  });
  return bw::ui::TfrmAvailableDatabases().Pick(names);
}

Names Lines(HWND list) {
  Names lines;
  const auto count = SendMessageA(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    char text[256] = {};
    SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    lines.emplace_back(text);
  }
  return lines;
}

void DoubleClickLine(HWND list, int line) {
  RECT bounds{};
  SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(&bounds));
  const LPARAM at = MAKELPARAM(bounds.left + 4, (bounds.top + bounds.bottom) / 2);
  PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(list, WM_LBUTTONUP, 0, at);
  PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  PostMessageA(list, WM_LBUTTONUP, 0, at);
}

std::string Show(const std::optional<std::string>& value) { return value ? "\"" + *value + "\"" : "nullopt"; }

WINTEST(AvailableDatabases, ListsInTheGivenOrderAndADoubleClickPicks) {
  Names shown;
  SIZE client{};
  const auto picked = PickWith({"tempdb", "master", "CRONUS", "model"}, [&](HWND dialog, HWND list) {
    shown = Lines(list);
    RECT area{};
    GetClientRect(dialog, &area);
    client = {area.right, area.bottom};
    DoubleClickLine(list, 2);
  });
  EXPECT_EQ(shown, (Names{"tempdb", "master", "CRONUS", "model"}));
  ASSERT_EQ(ScreenDpi(), 96);
  EXPECT_EQ(client.cx, 218L);
  EXPECT_EQ(client.cy, 256L);
  EXPECT_EQ(Show(picked), std::string("\"CRONUS\""));
}

WINTEST(AvailableDatabases, OkWithoutASelectionGivesAnEmptyTextAndEscapeNothing) {
  const auto none = PickWith({"master"}, [](HWND dialog, HWND) { Click(dialog, IDOK); });
  EXPECT_EQ(Show(none), std::string("\"\""));
  const auto escaped = PickWith({"master"}, [](HWND, HWND list) {
    SendMessageA(list, LB_SETCURSEL, 0, 0);
    PressKey(list, VK_ESCAPE);
  });
  EXPECT_EQ(Show(escaped), std::string("nullopt"));
  const auto entered = PickWith({"master", "msdb"}, [](HWND, HWND list) {
    SendMessageA(list, LB_SETCURSEL, 1, 0);
    PressKey(list, VK_RETURN);
  });
  EXPECT_EQ(Show(entered), std::string("\"msdb\""));
}

// A server that answers with its databases, or fails at the login.
class StubServer final : public bw::platform::SqlConnector {
public:
  explicit StubServer(bool fails) : fails_(fails) {}
  std::unique_ptr<bw::platform::SqlConnection> Open(const bw::platform::SqlLogin&, std::chrono::seconds) override {
    if (fails_) throw bw::platform::SqlError("Login failed");
    struct Connection final : bw::platform::SqlConnection {
      Names ReadColumn(std::string_view, std::string_view, std::chrono::seconds) override {
        return {"master", "tempdb", "model", "msdb"};
      }
    };
    return std::make_unique<Connection>();
  }

private:
  bool fails_;
};

WINTEST(ListSqlDatabases, PicksThroughTheDialogOrWarnsWithoutShowingIt) {
  bw::platform::Win32Messages messages;
  const bw::platform::SqlLogin login{"SRV1\\NAV", false, "nav", "x"};
  StubServer answering(false);
  std::optional<std::string> picked;
  {
    Driver driver({kCaption, "Warning"}, [] {
      const HWND dialog = WaitForDialog(kCaption);
      ASSERT_TRUE(dialog != nullptr);
      SendMessageA(GetDlgItem(dialog, kList), LB_SETCURSEL, 3, 0);
      Click(dialog, IDOK);
    });
    bw::ui::TfrmAvailableDatabases picker;
    picked = bw::ListSqlDatabases(answering, login, picker, messages);
  }
  EXPECT_EQ(Show(picked), std::string("\"msdb\""));

  StubServer failing(true);
  std::string warning;
  bool pickShown = false;
  {
    Driver driver({kCaption, "Warning"}, [&] {
      warning = AnswerBox("Warning", IDOK);
      pickShown = FindDialog(kCaption) != nullptr;
    });
    bw::ui::TfrmAvailableDatabases picker;
    picked = bw::ListSqlDatabases(failing, login, picker, messages);
  }
  EXPECT_EQ(warning, std::string("Cannot connect to SQL Server 'SRV1\\NAV'. Please check server, username, and password."));
  EXPECT_FALSE(pickShown);
  EXPECT_EQ(Show(picked), std::string("nullopt"));
}

// A resolution service on a loopback port of this process: answers the first request it gets
// within five seconds with the replies given, then closes.
class LoopbackResponder {
public:
  explicit LoopbackResponder(std::vector<std::string> replies) {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    socket_ = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(socket_, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    int length = sizeof address;
    getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this, replies = std::move(replies)] {
      const DWORD wait = 5000;
      setsockopt(socket_, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&wait), sizeof wait);
      char request[16];
      sockaddr_in peer{};
      int peerLength = sizeof peer;
      if (recvfrom(socket_, request, sizeof request, 0, reinterpret_cast<sockaddr*>(&peer), &peerLength) != 1) return;
      for (const auto& text : replies) {
        std::string datagram{'\x05', static_cast<char>(text.size() & 0xff), static_cast<char>(text.size() >> 8)};
        datagram += text;
        sendto(socket_, datagram.data(), static_cast<int>(datagram.size()), 0, reinterpret_cast<const sockaddr*>(&peer),
               peerLength);
      }
    });
  }
  ~LoopbackResponder() {
    thread_.join();
    closesocket(socket_);
    WSACleanup();
  }
  LoopbackResponder(const LoopbackResponder&) = delete;
  LoopbackResponder& operator=(const LoopbackResponder&) = delete;

  std::uint16_t Port() const { return port_; }

private:
  SOCKET socket_ = INVALID_SOCKET;
  std::uint16_t port_ = 0;
  std::thread thread_;
};

// The configuration dialog's discovery as the program builds it, over Winsock: a port where
// nobody listens is no failure, and the replies of a responder arrive in order.
WINTEST(ServerDiscovery, OverWinsockAClosedPortIsNoFailureAndRepliesArrive) {
  bw::platform::Win32Messages messages;
  bw::DiscoveryOptions options;
  options.wait = std::chrono::milliseconds(700);

  // Nobody listens on the port of a responder that has ended.
  std::uint16_t closedPort = 0;
  { closedPort = LoopbackResponder({}).Port(); }
  options.target = {"127.0.0.1", closedPort};
  bw::ui::SqlServerDialogTools closed(messages, options);
  const bw::DiscoveredServers none = closed.DiscoverServers({});
  EXPECT_FALSE(none.failed);
  EXPECT_TRUE(none.names.empty());

  LoopbackResponder responder({"ServerName;SRV2;InstanceName;MSSQLSERVER;;", "ServerName;SRV1;InstanceName;NAV;;"});
  options.target = {"127.0.0.1", responder.Port()};
  bw::ui::SqlServerDialogTools tools(messages, options);
  int updates = 0;
  const bw::DiscoveredServers found = tools.DiscoverServers([&](const Names&) { ++updates; });
  EXPECT_FALSE(found.failed);
  EXPECT_EQ(found.names, (Names{"SRV1\\NAV", "SRV2"}));
  EXPECT_EQ(updates, 2);
}

}  // namespace

int main(int argc, char** argv) { return bw::wintest::RunAll(argc, argv); }
