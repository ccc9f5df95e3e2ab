#include "platform/odbc/odbc_sql_connector.h"

#ifdef _WIN32
#include <windows.h>
#endif
#include <sql.h>
#include <sqlext.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/odbc/connection_text.h"
#include "base/text_case.h"

namespace bw::platform {

namespace {

// One ODBC handle, freed with its owner.
class Handle {
public:
  Handle(SQLSMALLINT type, SQLHANDLE parent) : type_(type) {
    if (!SQL_SUCCEEDED(SQLAllocHandle(type, parent, &handle_))) {
      handle_ = SQL_NULL_HANDLE;
      throw SqlError("the ODBC driver manager could not allocate a handle");
    }
  }
  ~Handle() {
    if (handle_ != SQL_NULL_HANDLE) SQLFreeHandle(type_, handle_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;

  SQLHANDLE get() const { return handle_; }
  SQLSMALLINT type() const { return type_; }

private:
  SQLSMALLINT type_;
  SQLHANDLE handle_ = SQL_NULL_HANDLE;
};

// The driver's own messages about the last call on `handle`, one after another.
std::string Diagnostics(const Handle& handle, std::string_view what) {
  std::string text(what);
  for (SQLSMALLINT record = 1; record <= 8; ++record) {
    SQLCHAR state[6] = {};
    SQLINTEGER native = 0;
    SQLCHAR message[1024] = {};
    SQLSMALLINT length = 0;
    if (!SQL_SUCCEEDED(SQLGetDiagRec(handle.type(), handle.get(), record, state, &native, message,
                                     sizeof message, &length)))
      break;
    text += record == 1 ? ": " : "; ";
    text += reinterpret_cast<const char*>(message);
  }
  return text;
}

void Check(SQLRETURN result, const Handle& handle, std::string_view what) {
  if (!SQL_SUCCEEDED(result)) throw SqlError(Diagnostics(handle, what));
}

SQLPOINTER Number(std::uintptr_t value) { return reinterpret_cast<SQLPOINTER>(value); }

std::vector<std::string> InstalledDrivers(const Handle& environment) {
  std::vector<std::string> names;
  SQLUSMALLINT direction = SQL_FETCH_FIRST;
  for (int i = 0; i < 256; ++i) {
    SQLCHAR name[256] = {};
    SQLCHAR attributes[1024] = {};
    SQLSMALLINT nameLength = 0;
    SQLSMALLINT attributesLength = 0;
    if (!SQL_SUCCEEDED(SQLDrivers(environment.get(), direction, name, sizeof name, &nameLength, attributes,
                                  sizeof attributes, &attributesLength)))
      break;
    names.emplace_back(reinterpret_cast<const char*>(name));
    direction = SQL_FETCH_NEXT;
  }
  return names;
}

class OdbcConnection final : public SqlConnection {
public:
  OdbcConnection(std::unique_ptr<Handle> environment, std::unique_ptr<Handle> connection)
      : environment_(std::move(environment)), connection_(std::move(connection)) {}
  ~OdbcConnection() override { SQLDisconnect(connection_->get()); }
  OdbcConnection(const OdbcConnection&) = delete;
  OdbcConnection& operator=(const OdbcConnection&) = delete;

  std::vector<std::string> ReadColumn(std::string_view query, std::string_view column,
                                      std::chrono::seconds timeout) override {
    Handle statement(SQL_HANDLE_STMT, connection_->get());
    Check(SQLSetStmtAttr(statement.get(), SQL_ATTR_QUERY_TIMEOUT, Number(static_cast<std::uintptr_t>(timeout.count())),
                         SQL_IS_UINTEGER),
          statement, "setting the query time-out");
    std::string text(query);
    Check(SQLExecDirect(statement.get(), reinterpret_cast<SQLCHAR*>(text.data()), static_cast<SQLINTEGER>(text.size())),
          statement, "running the query");
    const SQLUSMALLINT index = FindColumn(statement, column);
    std::vector<std::string> values;
    for (;;) {
      const SQLRETURN fetched = SQLFetch(statement.get());
      if (fetched == SQL_NO_DATA) break;
      Check(fetched, statement, "reading a row");
      values.push_back(ReadText(statement, index));
    }
    SQLCloseCursor(statement.get());
    return values;
  }

private:
  static SQLUSMALLINT FindColumn(const Handle& statement, std::string_view column) {
    SQLSMALLINT count = 0;
    Check(SQLNumResultCols(statement.get(), &count), statement, "reading the result's columns");
    for (SQLUSMALLINT i = 1; i <= static_cast<SQLUSMALLINT>(count); ++i) {
      SQLCHAR name[256] = {};
      SQLSMALLINT length = 0;
      SQLSMALLINT type = 0;
      SQLULEN size = 0;
      SQLSMALLINT digits = 0;
      SQLSMALLINT nullable = 0;
      Check(SQLDescribeCol(statement.get(), i, name, sizeof name, &length, &type, &size, &digits, &nullable),
            statement, "reading a column's name");
      if (EqualsIgnoringCase(reinterpret_cast<const char*>(name), column)) return i;
    }
    throw SqlError("the result has no column \"" + std::string(column) + "\"");
  }

  // The whole text of one column of the current row, read in pieces; NULL reads as empty.
  static std::string ReadText(const Handle& statement, SQLUSMALLINT index) {
    std::string value;
    for (;;) {
      char piece[512];
      SQLLEN available = 0;
      const SQLRETURN result = SQLGetData(statement.get(), index, SQL_C_CHAR, piece, sizeof piece, &available);
      if (result == SQL_NO_DATA) break;
      Check(result, statement, "reading a value");
      if (available == SQL_NULL_DATA) break;
      const bool truncated = result == SQL_SUCCESS_WITH_INFO &&
                             (available == SQL_NO_TOTAL || available >= static_cast<SQLLEN>(sizeof piece));
      if (!truncated) {
        value.append(piece, static_cast<std::size_t>(std::min<SQLLEN>(available, sizeof piece - 1)));
        break;
      }
      value.append(piece, sizeof piece - 1);
    }
    return value;
  }

  std::unique_ptr<Handle> environment_;
  std::unique_ptr<Handle> connection_;
};

class OdbcSqlConnector final : public SqlConnector {
public:
  std::unique_ptr<SqlConnection> Open(const SqlLogin& login, std::chrono::seconds loginTimeout) override {
    auto environment = std::make_unique<Handle>(SQL_HANDLE_ENV, SQLHANDLE{});
    Check(SQLSetEnvAttr(environment->get(), SQL_ATTR_ODBC_VERSION, Number(SQL_OV_ODBC3), 0), *environment,
          "choosing ODBC 3");
    const std::string driver = ChooseSqlDriver(InstalledDrivers(*environment));
    auto connection = std::make_unique<Handle>(SQL_HANDLE_DBC, environment->get());
    Check(SQLSetConnectAttr(connection->get(), SQL_ATTR_LOGIN_TIMEOUT,
                            Number(static_cast<std::uintptr_t>(loginTimeout.count())), SQL_IS_UINTEGER),
          *connection, "setting the login time-out");
    std::string text = SqlConnectionText(driver, login);
    if (text.size() > 32767) throw SqlError("the server, user name or password is too long");
    SQLCHAR completed[1024];
    SQLSMALLINT completedLength = 0;
    const SQLRETURN result =
        SQLDriverConnect(connection->get(), nullptr, reinterpret_cast<SQLCHAR*>(text.data()),
                         static_cast<SQLSMALLINT>(text.size()), completed, sizeof completed, &completedLength,
                         SQL_DRIVER_NOPROMPT);
    // The text held the password: it does not stay in memory longer than needed.
    std::fill(text.begin(), text.end(), '\0');
    std::fill(std::begin(completed), std::end(completed), SQLCHAR{0});
    Check(result, *connection, "connecting through \"" + driver + "\"");
    return std::make_unique<OdbcConnection>(std::move(environment), std::move(connection));
  }
};

}  // namespace

std::unique_ptr<SqlConnector> MakeOdbcSqlConnector() { return std::make_unique<OdbcSqlConnector>(); }

}  // namespace bw::platform
