#include "platform/fake/fake_sql_server.h"

#include "base/text_case.h"

namespace bw::fake {

namespace {

class FakeConnection final : public platform::SqlConnection {
public:
  explicit FakeConnection(FakeSqlServer& server) : server_(server) {}

  std::vector<std::string> ReadColumn(std::string_view query, std::string_view column,
                                      std::chrono::seconds timeout) override {
    server_.queries.emplace_back(query);
    server_.queryTimeouts.push_back(timeout);
    if (!EqualsIgnoringCase(column, "name")) throw platform::SqlError("no such column");
    if (server_.queryTakes > timeout) throw platform::SqlError("Query timeout expired");
    return server_.databases;
  }

private:
  FakeSqlServer& server_;
};

}  // namespace

std::unique_ptr<platform::SqlConnection> FakeSqlServer::Open(const platform::SqlLogin& login,
                                                             std::chrono::seconds loginTimeout) {
  attempts.push_back({login, loginTimeout});
  if (!EqualsIgnoringCase(login.server, server)) throw platform::SqlError("Server does not exist or access denied");
  if (login.windowsLogin) {
    if (!acceptsWindowsLogin) throw platform::SqlError("Login failed for user ''");
  } else if ((user && login.user != *user) || (password && login.password != *password)) {
    throw platform::SqlError("Login failed for user '" + login.user + "'");
  }
  return std::make_unique<FakeConnection>(*this);
}

}  // namespace bw::fake
