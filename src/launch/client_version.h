// What a client executable's file version says about it: the product it belongs to and which
// of the development environment's settings it takes.
#pragma once

#include <optional>
#include <string>

#include "platform/file_versions.h"

namespace bw {

// "Dynamics NAV 2016" for 9.x, ...; empty for a major version this program does not know.
std::string ClientProductName(const platform::FileVersion& version);

// What the configuration dialog shows beside the location: "Dynamics NAV 2016, 9.0.43402.0", or
// the four-part version alone for an unknown product.
std::string ClientVersionText(const platform::FileVersion& version);

// The NAV Server, tenant and editor settings: clients of NAV 2013 (7.0) and later, and clients
// whose version is not known (no version resource). Only the known older clients go without.
bool TakesServerSettings(const std::optional<platform::FileVersion>& version);

// NAV 2016 (9.0) and later bring a new C/AL editor; the classic one, in which the editor
// commands work, is chosen with useoldeditor=yes.
bool HasNewEditor(const platform::FileVersion& version);

}  // namespace bw
