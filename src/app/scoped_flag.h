// A flag that is set for the lifetime of a scope and cleared however the scope ends.
#pragma once

namespace bw {

class ScopedFlag {
public:
  explicit ScopedFlag(bool& flag) : flag_(flag) { flag_ = true; }
  ScopedFlag(const ScopedFlag&) = delete;
  ScopedFlag& operator=(const ScopedFlag&) = delete;
  ~ScopedFlag() { flag_ = false; }

private:
  bool& flag_;
};

}  // namespace bw
