// The list of discovered SQL Server entries: sorted without regard to case, each entry once.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace bw {

class ServerList {
public:
  // More than any network holds; replies flooding the list with names stop adding there.
  static constexpr std::size_t kMaxEntries = 4096;

  // Adds the entry at its sorted place; an entry equal to one already held (without regard to
  // case) is ignored, and so is any entry once the list is full. True when it was added.
  bool Add(std::string_view entry);
  const std::vector<std::string>& Entries() const { return entries_; }

private:
  std::vector<std::string> entries_;
};

}  // namespace bw
