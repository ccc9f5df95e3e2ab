#include "app/hotkey_registration.h"

#include <algorithm>
#include <array>
#include <optional>
#include <set>
#include <string>

#include "base/app_texts.h"
#include "base/format_text.h"
#include "app/hotkey_ids.h"
#include "app/item_hotkey.h"
#include "settings/hotkey_text.h"

namespace bw {

namespace {

constexpr std::array kStandardIds = {kOpenBrackwaterId, kInsertCredentialsId, kInsertTemplateId, kIndentId,
                                     kUnindentId,       kCommentId,           kUncommentId,      kRepeatTemplateId};

const std::string& StandardHotkeyText(const TBrackwaterStorage& general, int id) {
  switch (id) {
    case kOpenBrackwaterId: return general.OpenBrackwater;
    case kInsertCredentialsId: return general.InsertCredentials;
    case kInsertTemplateId: return general.InsertTemplate;
    case kIndentId: return general.Indent;
    case kUnindentId: return general.Unindent;
    case kCommentId: return general.Comment;
    case kUncommentId: return general.Uncomment;
    case kRepeatTemplateId: return general.RepeatTemplate;
    default: return general.ToggleHotkeys;
  }
}

// One run of the item registration: hands out the ids and remembers the keys already tried.
class ItemRun {
public:
  ItemRun(HotkeyPlatform& platform, int& idsInUse) : platform_(platform), idsInUse_(idsInUse) {}

  // nullopt when the key was tried before in this run (not registered again), else the result.
  std::optional<bool> Register(TShortCut key, std::string_view itemName) {
    const int id = kFirstItemId + next_++;
    idsInUse_ = std::max(idsInUse_, next_);
    if (!tried_.insert(key).second) return std::nullopt;
    const SplitKey split = SplitHotkey(key);
    if (platform_.registrar.Register(id, split.modifiers, split.virtualKey)) return true;
    const std::string text = FormatHotkey(key, platform_.keys);
    platform_.messages.Show(platform::MessageKind::Error, FormatText(kTemplateHotkeyFailed, {text, itemName}));
    return false;
  }

private:
  HotkeyPlatform& platform_;
  int& idsInUse_;
  int next_ = 0;
  std::set<TShortCut> tried_;
};

}  // namespace

bool HotkeyRegistration::RegisterHotkeyText(int id, std::string_view hotkeyText, std::string_view failureMessage) {
  const SplitKey split = SplitHotkey(ParseHotkey(hotkeyText, platform_.keys));
  if (platform_.registrar.Register(id, split.modifiers, split.virtualKey)) return true;
  platform_.messages.Show(platform::MessageKind::Error, failureMessage);
  return false;
}

void HotkeyRegistration::RegisterAllHotkeys(TStorage& root, const ConfigShortcuts& configs) {
  const TBrackwaterStorage& general = General(root);
  for (const int id : kStandardIds) {
    const std::string& text = StandardHotkeyText(general, id);
    RegisterHotkeyText(id, text, FormatText(kStandardHotkeyFailed, {text}));
  }

  ItemRun run(platform_, itemIds_);
  const TStorage& templates = TemplatesFolder(root);
  for (int i = 0; i < templates.ChildCount(); ++i) {
    auto& item = As<TCommentStorage>(templates.Child(i));
    const TShortCut key = ItemShortcut(item.Hotkey);
    if (key == 0 || item.Disabled || item.HotkeyFailed) continue;
    if (const auto registered = run.Register(key, item.CommentName)) item.HotkeyFailed = !*registered;
  }
  for (const auto& entry : configs.Entries()) {
    // A folder has nothing to start, so its key is left to other programs.
    if (entry.config == nullptr || entry.config->IsSubMenu) continue;
    const TShortCut key = ItemShortcut(entry.config->Hotkey);
    if (key != 0) run.Register(key, entry.config->ConfigName);
  }
  const TStorage& plugins = PluginsFolder(root);
  for (int i = 0; i < plugins.ChildCount(); ++i) {
    const auto& plugin = As<TPluginStorage>(plugins.Child(i));
    const TShortCut key = ItemShortcut(plugin.Hotkey);
    if (key != 0) run.Register(key, plugin.PluginName);
  }
}

void HotkeyRegistration::UnregisterAllHotkeys() {
  for (const int id : kStandardIds) platform_.registrar.Unregister(id);
  for (int n = 0; n < itemIds_; ++n) platform_.registrar.Unregister(kFirstItemId + n);
  itemIds_ = 0;
}

bool HotkeyRegistration::RegisterToggleHotkey(const TBrackwaterStorage& general) {
  return RegisterHotkeyText(kToggleHotkeysId, general.ToggleHotkeys,
                            FormatText(kStandardHotkeyFailed, {general.ToggleHotkeys}));
}

void HotkeyRegistration::UnregisterToggleHotkey() { platform_.registrar.Unregister(kToggleHotkeysId); }

}  // namespace bw
