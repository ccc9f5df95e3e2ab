#include "platform/fake/scripted_datagrams.h"

#include <algorithm>

namespace bw::fake {

void ScriptedDatagrams::Send(std::span<const std::uint8_t> bytes, const platform::DatagramAddress& to) {
  if (sendFails || std::ranges::find(refusedHosts, to.host) != refusedHosts.end())
    throw platform::DatagramError("send failed");
  sent.emplace_back(bytes.begin(), bytes.end());
  sentTo.push_back(to);
}

std::optional<platform::ReceivedDatagram> ScriptedDatagrams::Receive(std::span<std::uint8_t> buffer,
                                                                  std::chrono::milliseconds wait) {
  waits.push_back(wait);
  Step step;
  if (!steps.empty()) {
    step = std::move(steps.front());
    steps.pop_front();
  } else if (repeatForever) {
    step.reply = *repeatForever;
    step.after = std::chrono::milliseconds(2000);
  } else {
    clock_.Sleep(wait);
    return std::nullopt;
  }
  if (step.fails) throw platform::DatagramError("receive failed");
  if (step.after > wait) {
    clock_.Sleep(wait);
    steps.push_front(Step{std::move(step.reply), step.after - wait, false, step.fromPort});
    return std::nullopt;
  }
  clock_.Sleep(step.after);
  const auto n = std::min(step.reply.size(), buffer.size());
  std::copy_n(step.reply.begin(), n, buffer.begin());
  const std::uint16_t from = step.fromPort != 0 ? step.fromPort : sentTo.empty() ? std::uint16_t{0} : sentTo.back().port;
  return platform::ReceivedDatagram{n, from};
}

}  // namespace bw::fake
