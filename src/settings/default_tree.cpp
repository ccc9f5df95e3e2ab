// The tree used when no configuration file can be read.
#include <string>

#include "settings/config_file.h"
#include "settings/config_location.h"
#include "platform/ansi_text.h"

namespace bw {

namespace {
constexpr std::size_t kMaxUserName = 80;
}

std::unique_ptr<TStorage> BuildDefaultTree(SettingsPlatform& platform) {
  std::string user = platform.environment.UserName();
  user = user.substr(0, user.find('\0'));
  if (user.size() > kMaxUserName) user.resize(kMaxUserName);

  auto root = std::make_unique<TStorage>();
  auto general = std::make_unique<TBrackwaterStorage>();
  // The file holds ANSI only: a folder without an ANSI name stays empty for the user to choose.
  general->ZupDir = platform::Utf8ToAnsi(DefaultZupFolder(platform.environment)).value_or("");
  general->Author = user;
  general->Initials = user.substr(0, 1);
  root->AddChild(std::move(general));
  for (int i = kConfigsIndex; i <= kPluginsIndex; ++i) root->AddChild(std::make_unique<TStorage>());
  return root;
}

}  // namespace bw
