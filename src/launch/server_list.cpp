#include "launch/server_list.h"

#include <algorithm>

#include "base/text_case.h"

namespace bw {

bool ServerList::Add(std::string_view entry) {
  if (entries_.size() >= kMaxEntries) return false;
  const auto at = std::lower_bound(entries_.begin(), entries_.end(), entry,
                                   [](const std::string& held, std::string_view wanted) {
                                     return LessIgnoringCase(held, wanted);
                                   });
  if (at != entries_.end() && EqualsIgnoringCase(*at, entry)) return false;
  entries_.insert(at, std::string(entry));
  return true;
}

}  // namespace bw
