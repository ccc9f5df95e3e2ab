// ODBC connection texts for SQL Server drivers, and the choice of driver.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "platform/sql_databases.h"

namespace bw::platform {

// The SQL Server drivers in order of preference, newest first. "SQL Server" comes with every
// Windows and is used when none of them is listed.
inline constexpr std::string_view kSqlServerDrivers[] = {
    "ODBC Driver 18 for SQL Server",
    "ODBC Driver 17 for SQL Server",
    "SQL Server Native Client 11.0",
    "SQL Server",
};

// The most preferred of the known drivers among `installed` (names compared without regard to case).
std::string ChooseSqlDriver(std::span<const std::string> installed);

// A value as a connection text carries it: in braces, with every "}" doubled, so that ";", "="
// and braces stay part of the value.
std::string QuoteConnectionValue(std::string_view value);

// "DRIVER={...};SERVER={...};DATABASE={master};" then either the Windows account or UID and PWD,
// every attribute ended by ";". Driver 18 is asked not to insist on an encrypted connection,
// so that servers without a trusted certificate still answer as they do for older drivers.
std::string SqlConnectionText(std::string_view driver, const SqlLogin& login);

}  // namespace bw::platform
