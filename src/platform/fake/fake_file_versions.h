// Version resources of files that need not exist: path to version, and every path asked for.
#pragma once

#include <map>
#include <vector>

#include "platform/file_versions.h"

namespace bw::platform {

class FakeFileVersions : public FileVersions {
public:
  std::optional<FileVersion> Read(const std::string& path) override {
    reads.push_back(path);
    const auto found = versions.find(path);
    return found == versions.end() ? std::nullopt : std::optional<FileVersion>(found->second);
  }
  std::map<std::string, FileVersion> versions;
  std::vector<std::string> reads;
};

}  // namespace bw::platform
