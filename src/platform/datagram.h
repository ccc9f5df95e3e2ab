// UDP datagrams: one socket that sends to a host and port and receives with a bounded wait.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>

namespace bw::platform {

struct DatagramAddress {
  std::string host;  // a dotted IPv4 address or a host name; "255.255.255.255" broadcasts
  std::uint16_t port = 0;
};

// Any failure of the socket layer: opening, resolving, sending or receiving.
class DatagramError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// What one Receive got: the number of bytes copied and the UDP port the datagram came from.
struct ReceivedDatagram {
  std::size_t size = 0;
  std::uint16_t fromPort = 0;
};

class DatagramSocket {
public:
  virtual ~DatagramSocket() = default;
  virtual void Send(std::span<const std::uint8_t> bytes, const DatagramAddress& to) = 0;
  // Waits up to `wait` for one datagram and copies as much of it as fits into `buffer`.
  // What was received, or nothing when the wait ended without a datagram.
  virtual std::optional<ReceivedDatagram> Receive(std::span<std::uint8_t> buffer, std::chrono::milliseconds wait) = 0;
};

// A UDP socket bound to any local port the system assigns; `broadcast` switches broadcasting on.
// Throws DatagramError when the socket cannot be made. Each platform layer defines it once.
std::unique_ptr<DatagramSocket> OpenDatagramSocket(bool broadcast);

}  // namespace bw::platform
