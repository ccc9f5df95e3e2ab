// The component stream: the byte form of a settings tree ("TPF0", then the root record).
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <stdexcept>
#include <vector>

#include "settings/storage.h"

namespace bw {

class StreamError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// Serialises a record and its subtree.
std::vector<std::uint8_t> WriteComponentStream(const TStorage& root);
// The size WriteComponentStream would give, without building it; throws as it does.
std::size_t ComponentStreamSize(const TStorage& root);

// Parses a stream of any record tree; throws StreamError on any fault of the input.
std::unique_ptr<TStorage> ReadComponentStream(std::span<const std::uint8_t> bytes);

}  // namespace bw
