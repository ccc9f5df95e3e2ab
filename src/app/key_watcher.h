// The outside key watcher that code completion listens to, as the application core starts and
// stops it around its own typing.
#pragma once

namespace bw {

// What the watcher reports; the program watches keys only.
enum class WatchKind { Keys = 1 };

class KeyWatcher {
public:
  virtual ~KeyWatcher() = default;
  virtual void Start(WatchKind kind) = 0;
  virtual void Stop(WatchKind kind) = 0;
};

}  // namespace bw
