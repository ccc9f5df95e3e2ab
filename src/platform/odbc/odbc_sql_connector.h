// The database layer over ODBC: Windows' odbc32, or unixODBC in native builds.
#pragma once

#include <memory>

#include "platform/sql_databases.h"

namespace bw::platform {

// Connects through the newest SQL Server driver the driver manager lists.
std::unique_ptr<SqlConnector> MakeOdbcSqlConnector();

}  // namespace bw::platform
