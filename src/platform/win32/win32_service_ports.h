// The services database through Winsock (getservbyname), which reads the system's services file.
#pragma once

#include "platform/service_ports.h"

namespace bw::platform {

class Win32ServicePorts final : public ServicePorts {
public:
  // Starts the socket library (version 2.0) for each look-up and cleans it up afterwards.
  std::optional<int> TcpPort(const std::string& name) override;
};

}  // namespace bw::platform
