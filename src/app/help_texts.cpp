#include "app/help_texts.h"

#include "app/text_resource.h"

namespace bw {

namespace {
constexpr std::size_t kNumberPrefix = 4;  // "001 "
constexpr std::size_t kMaxHelpText = 255;
}  // namespace

std::string HelpTexts::Text(int number) const {
  if (number < 1 || static_cast<std::size_t>(number) >= lines_.size()) return {};
  const std::string& line = lines_[static_cast<std::size_t>(number)];
  if (line.size() <= kNumberPrefix) return {};
  return line.substr(kNumberPrefix, kMaxHelpText);
}

HelpTexts LoadHelpTexts(platform::Resources& resources) { return HelpTexts(ReadTextResource(resources, "HELP")); }

}  // namespace bw
