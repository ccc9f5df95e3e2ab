// The list of discovered SQL Server entries: sorted without regard to case, each entry once.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace bw {

class ServerList {
public:
  // Adds the entry at its sorted place; an entry equal to one already held (without regard to
  // case) is ignored. True when it was added.
  bool Add(std::string_view entry);
  const std::vector<std::string>& Entries() const { return entries_; }

private:
  std::vector<std::string> entries_;
};

}  // namespace bw
