// bwconfig databases: lists a SQL Server's databases, or tests the login, as the dialog would.
#include <iostream>

#include "base/format_text.h"
#include "command.h"
#include "command_line.h"
#include "launch/database_listing.h"
#include "platform/odbc/odbc_sql_connector.h"

namespace bw::bwconfig {

namespace {

// One line of standard input, without its line break.
std::string ReadPassword() {
  std::string password;
  std::getline(std::cin, password);
  if (!password.empty() && password.back() == '\r') password.pop_back();
  return password;
}

int RunDatabases(ToolContext& context, CommandArgs args) {
  const auto line = ParseCommandLine(args, {"--nt", "--password-stdin", "--test"}, {"--server", "--user"});
  if (!line.operands.empty()) throw UsageError("databases takes no operands");
  const auto server = line.values.find("--server");
  if (server == line.values.end()) throw UsageError("name the server with --server");
  const auto user = line.values.find("--user");
  const bool nt = line.flags.contains("--nt");
  if (nt == (user != line.values.end())) throw UsageError("give either --nt or --user");
  if (nt && line.flags.contains("--password-stdin")) throw UsageError("--password-stdin goes with --user");

  platform::SqlLogin login{server->second, nt, {}, {}};
  if (!nt) {
    login.user = user->second;
    if (line.flags.contains("--password-stdin")) login.password = ReadPassword();
  }
  const bool test = line.flags.contains("--test");
  const auto connector = platform::MakeOdbcSqlConnector();
  try {
    if (test) {
      connector->Open(login, kTestLoginTimeout);
      context.out << FormatText(kConnected, {login.server}) << "\n";
    } else {
      for (const auto& name : ReadDatabaseNames(*connector, login)) context.out << name << "\n";
    }
  } catch (const platform::SqlError& error) {
    context.err << FormatText(kCannotConnect, {login.server}) << "\n" << "bwconfig: " << error.what() << "\n";
    return 1;
  }
  context.out.flush();
  if (!context.out) throw ToolError("cannot write to standard output");
  return 0;
}

const RegisterCommand kRegistered{{
    "databases",
    "--server NAME (--nt | --user NAME [--password-stdin]) [--test]",
    "Connects to the SQL Server NAME (\"server\" or \"server\\instance\") as the configuration\n"
    "dialog does, with the Windows account (--nt) or a SQL login whose password is the first\n"
    "line of standard input (--password-stdin; never on the command line), and prints the\n"
    "server's databases one a line in the server's order. With --test it only connects and\n"
    "prints the success message. A failure prints the dialog's warning and exits 1.",
    RunDatabases,
}};

}  // namespace

}  // namespace bw::bwconfig
