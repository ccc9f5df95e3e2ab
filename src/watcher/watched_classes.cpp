#include "watcher/watched_classes.h"

namespace bw::watcher {

void LowerAscii(std::string& text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
}

WatchedClasses::WatchedClasses(std::string_view classes) {
  while (!classes.empty()) {
    const std::size_t end = classes.find('\n');
    std::string name(classes.substr(0, end));
    if (!name.empty() && name.back() == '\r') name.pop_back();
    if (!name.empty()) {
      LowerAscii(name);
      names_.push_back(std::move(name));
    }
    if (end == std::string_view::npos) break;
    classes.remove_prefix(end + 1);
  }
}

bool WatchedClasses::Watches(std::string_view className) const {
  if (names_.empty()) return true;
  std::string lowered(className);
  LowerAscii(lowered);
  for (const std::string& name : names_)
    if (name == lowered) return true;
  return false;
}

}  // namespace bw::watcher
