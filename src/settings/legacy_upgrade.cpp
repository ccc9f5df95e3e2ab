// Settings written before format version "1.1" kept hotkeys as bare key names
// ("PAGE UP", "INSERT"); they all gain Shift and Ctrl.
#include <array>
#include <string>
#include <string_view>

#include "settings/hotkey_text.h"
#include "base/text_case.h"

namespace bw {

namespace {

constexpr std::string_view kCurrentVersion = "1.1";
constexpr std::string_view kShiftCtrl = "Shift+Ctrl+";

struct Replacement {
  std::string_view from;
  std::string_view to;
};
constexpr std::array<Replacement, 7> kOldKeyNames = {{
    {"INSERT", "Ins"},
    {"DELETE", "Del"},
    {"HOME", "Home"},
    {"END", "End"},
    {"PAGE UP", "PgUp"},
    {"PAGE DOWN", "PgDn"},
    {"TAB", "Tab"},
}};

std::string UpgradeStandardHotkey(std::string text) {
  if (text.find(kShiftCtrl) != std::string::npos) return text;
  for (const auto& [from, to] : kOldKeyNames) {
    const auto at = FindIgnoringCase(text, from);
    if (at != std::string::npos) text.replace(at, from.size(), to);
  }
  return std::string(kShiftCtrl) + text;
}

}  // namespace

void UpgradeLegacySettings(TStorage& root, platform::KeyNames& keys) {
  // A tree without the root layout has nothing this step knows how to upgrade.
  if (!HasRootLayout(root)) return;
  auto& general = General(root);
  if (!general.Version.empty()) return;
  general.Version = kCurrentVersion;

  for (std::string* hotkey : {&general.Indent, &general.Unindent, &general.Comment, &general.Uncomment,
                              &general.InsertTemplate, &general.RepeatTemplate, &general.OpenBrackwater,
                              &general.ToggleHotkeys, &general.InsertCredentials})
    *hotkey = UpgradeStandardHotkey(std::move(*hotkey));

  auto& templates = TemplatesFolder(root);
  for (int i = 0; i < templates.ChildCount(); ++i) {
    auto* item = dynamic_cast<TCommentStorage*>(&templates.Child(i));
    if (!item) continue;
    const std::string text = FormatHotkey(static_cast<TShortCut>(item->Hotkey & 0xFFFF), keys);
    if (text.find(kShiftCtrl) == std::string::npos)
      item->Hotkey = ParseHotkey(std::string(kShiftCtrl) + text, keys);
  }
}

}  // namespace bw
