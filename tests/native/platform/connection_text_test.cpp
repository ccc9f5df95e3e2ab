#include <gtest/gtest.h>

#include "platform/odbc/connection_text.h"

namespace bw::platform {
namespace {

TEST(ConnectionTextTest, BothLoginsEndEveryAttributeAndQuoteEveryValue) {
  EXPECT_EQ(SqlConnectionText("SQL Server", {"SRV1\\NAV", true, "sa", "pw"}),
            "DRIVER={SQL Server};SERVER={SRV1\\NAV};DATABASE={master};Trusted_Connection=Yes;");
  EXPECT_EQ(SqlConnectionText("SQL Server", {"", false, "sa", "pw"}),
            "DRIVER={SQL Server};SERVER={};DATABASE={master};UID={sa};PWD={pw};");
  EXPECT_EQ(SqlConnectionText("ODBC Driver 18 for SQL Server", {"S", false, "u", "p"}),
            "DRIVER={ODBC Driver 18 for SQL Server};SERVER={S};DATABASE={master};UID={u};PWD={p};Encrypt=no;");
}

TEST(ConnectionTextTest, HostilePasswordsCannotAddAttributes) {
  EXPECT_EQ(QuoteConnectionValue("a;Trusted_Connection=Yes"), "{a;Trusted_Connection=Yes}");
  EXPECT_EQ(QuoteConnectionValue("}{;="), "{}}{;=}");
  EXPECT_EQ(QuoteConnectionValue("x}};DATABASE=evil"), "{x}}}};DATABASE=evil}");
  const auto text = SqlConnectionText("SQL Server", {"S", false, "u}", "p};UID={admin"});
  EXPECT_EQ(text, "DRIVER={SQL Server};SERVER={S};DATABASE={master};UID={u}}};PWD={p}};UID={admin};");
}

TEST(ChooseSqlDriverTest, NewestKnownDriverOrTheOneEveryWindowsHas) {
  const std::vector<std::string> installed{"SQL Server", "Microsoft Access Driver (*.mdb)",
                                           "odbc driver 17 for sql server", "SQL Server Native Client 11.0"};
  EXPECT_EQ(ChooseSqlDriver(installed), "odbc driver 17 for sql server");
  EXPECT_EQ(ChooseSqlDriver(std::vector<std::string>{"FreeTDS"}), "SQL Server");
  EXPECT_EQ(ChooseSqlDriver(std::vector<std::string>{"ODBC Driver 18 for SQL Server", "SQL Server"}),
            "ODBC Driver 18 for SQL Server");
}

}  // namespace
}  // namespace bw::platform
