// The window classes whose keys the watcher reports: the program hands them over once at
// start-up, and the hook thread tests the focus window's class against them without waking
// the program, so that keys in every other window pass at once.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace bw::watcher {

class WatchedClasses {
public:
  // Every class is watched until a list is set.
  WatchedClasses() = default;
  // Class names separated by line feeds, compared without regard to case (ASCII); empty names
  // are skipped. An empty text watches every class again.
  explicit WatchedClasses(std::string_view classes);

  bool WatchesAll() const { return names_.empty(); }
  bool Watches(std::string_view className) const;

private:
  std::vector<std::string> names_;  // lower-cased
};

}  // namespace bw::watcher
