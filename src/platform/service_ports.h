// The system's services database: the port a service name stands for.
#pragma once

#include <optional>
#include <string>

namespace bw::platform {

class ServicePorts {
public:
  virtual ~ServicePorts() = default;
  // The port of the named service with protocol "tcp", in host byte order; nullopt when the
  // database has no such entry or cannot be read.
  virtual std::optional<int> TcpPort(const std::string& name) = 0;
};

}  // namespace bw::platform
