#include "launch/server_list.h"

#include <algorithm>

#include "settings/text_case.h"

namespace bw {

namespace {

bool LessIgnoringCase(std::string_view a, std::string_view b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(FoldCase(x)) < static_cast<unsigned char>(FoldCase(y));
  });
}

}  // namespace

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
