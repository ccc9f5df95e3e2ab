#include "watcher/watched_classes.h"

#include "base/text_case.h"

namespace bw::watcher {

WatchedClasses::WatchedClasses(std::string_view classes) {
  while (!classes.empty()) {
    const std::size_t end = classes.find('\n');
    std::string name = LowerAscii(classes.substr(0, end));
    if (!name.empty() && name.back() == '\r') name.pop_back();
    if (!name.empty()) names_.push_back(std::move(name));
    if (end == std::string_view::npos) break;
    classes.remove_prefix(end + 1);
  }
}

bool WatchedClasses::Watches(std::string_view className) const {
  if (names_.empty()) return true;
  const std::string lowered = LowerAscii(className);
  for (const std::string& name : names_)
    if (name == lowered) return true;
  return false;
}

}  // namespace bw::watcher
