// A datagram socket that answers from a script: it records what was sent and hands out the
// scripted replies, one per Receive, then reports quiet (or a failure) as the script says.
#pragma once

#include <deque>
#include <vector>

#include "platform/clock.h"
#include "platform/datagram.h"

namespace bw::fake {

class ScriptedDatagrams final : public platform::DatagramSocket {
public:
  struct Step {
    std::vector<std::uint8_t> reply;  // handed out by Receive
    std::chrono::milliseconds after{0};  // time that passes on the clock before it arrives
    bool fails = false;                // Receive throws instead
    std::uint16_t fromPort = 0;        // the port it comes from; 0: the port last sent to
  };

  explicit ScriptedDatagrams(platform::Clock& clock) : clock_(clock) {}

  void Send(std::span<const std::uint8_t> bytes, const platform::DatagramAddress& to) override;
  std::optional<platform::ReceivedDatagram> Receive(std::span<std::uint8_t> buffer, std::chrono::milliseconds wait) override;

  void Reply(std::vector<std::uint8_t> bytes, std::chrono::milliseconds after = {}, std::uint16_t fromPort = 0) {
    steps.push_back({std::move(bytes), after, false, fromPort});
  }

  std::deque<Step> steps;
  bool sendFails = false;
  std::vector<std::string> refusedHosts;  // a send to these throws
  // Once the script is used up, every Receive answers with the same reply again.
  std::optional<std::vector<std::uint8_t>> repeatForever;

  std::vector<std::vector<std::uint8_t>> sent;
  std::vector<platform::DatagramAddress> sentTo;
  std::vector<std::chrono::milliseconds> waits;

private:
  platform::Clock& clock_;
};

}  // namespace bw::fake
