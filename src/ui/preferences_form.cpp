#include "ui/preferences_form.h"

#include <set>

#include "app/app_texts.h"
#include "settings/config_location.h"
#include "settings/hotkey_text.h"

namespace bw {
std::string WithTrailingDelimiter(std::string folder) {
  if (folder.empty() || (folder.back() != platform::kPathDelimiter && folder.back() != '/' && folder.back() != '\\'))
    folder += platform::kPathDelimiter;
  return folder;
}

PreferenceValues ReadPreferences(const TBrackwaterStorage& general, bool autoStart, platform::Environment& environment,
                                 platform::Registry& registry) {
  PreferenceValues values;
  values.author = general.Author;
  values.initials = general.Initials;
  values.company = general.Company;
  values.zupDir = general.ZupDir;
  values.runOnStartup = autoStart;
  for (const HotkeyBox box : kHotkeyBoxes) values.Hotkey(box) = HotkeySetting(general, box);
  values.activateViaDot = general.ActivateViaDOT;
  values.activateViaCtrlSpace = general.ActivateViaCTRLSpace;
  const std::string base = platform::ProgramBaseName(environment.ProgramPath());
  values.configDir = registry.ReadString(ConfigLocationKey(base), kFolderValue).value_or("");
  return values;
}

void PreferencesForm::Load(const PreferenceValues& values) {
  values_ = values;
  view_.ShowFolder(FolderBox::Config, values_.configDir);
  view_.ShowFolder(FolderBox::Zup, values_.zupDir);
  for (const HotkeyBox box : kHotkeyBoxes) {
    view_.ShowHotkeyText(box, values_.Hotkey(box));
    view_.ShowHotkeyColour(box, ParseHotkey(values_.Hotkey(box), keys_) != 0 ? kHotkeyTextColour
                                                                            : kBadHotkeyTextColour);
  }
  Validate();
}

void PreferencesForm::HotkeyChanged(HotkeyBox box, std::string_view text) {
  values_.Hotkey(box) = text;
  view_.ShowHotkeyColour(box, ParseHotkey(text, keys_) != 0 ? kHotkeyTextColour : kBadHotkeyTextColour);
  Validate();
}

void PreferencesForm::HotkeyLeft(HotkeyBox box) {
  const std::string canonical = CanonicalHotkey(values_.Hotkey(box), keys_);
  if (canonical != values_.Hotkey(box)) {
    values_.Hotkey(box) = canonical;
    view_.ShowHotkeyText(box, canonical);
    view_.ShowHotkeyColour(box, canonical.empty() ? kBadHotkeyTextColour : kHotkeyTextColour);
  }
  Validate();
}

bool PreferencesForm::OkEnabled() const {
  std::set<TShortCut> keys;
  for (const std::string& text : values_.hotkeys) {
    const TShortCut key = ParseHotkey(text, keys_);
    if (key == 0 || !keys.insert(key).second) return false;
  }
  return true;
}

void PreferencesForm::Validate() { view_.EnableOk(OkEnabled()); }

void PreferencesForm::FolderChanged(FolderBox box, std::string_view text) { Folder(box) = text; }

void PreferencesForm::Browse(FolderBox box) {
  const auto chosen = folders_.ChooseFolder(kFolderDialogTitle, Folder(box));
  if (!chosen || chosen->empty()) return;
  Folder(box) = WithTrailingDelimiter(*chosen);
  view_.ShowFolder(box, Folder(box));
}

bool PreferencesForm::CheckOnOk(platform::FileSystem& files, platform::Messages& messages) const {
  bool passed = true;
  if (values_.zupDir.empty() || !files.FolderExists(values_.zupDir)) {
    messages.Show(platform::MessageKind::Error, FormatText(kFolderNotFound, {values_.zupDir}));
    passed = false;
  }
  if (!values_.configDir.empty() && !files.FolderExists(values_.configDir)) {
    messages.Show(platform::MessageKind::Error, FormatText(kFolderNotFound, {values_.configDir}));
    passed = false;
  }
  return passed;
}

}  // namespace bw
