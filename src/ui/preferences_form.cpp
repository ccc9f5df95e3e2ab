#include "ui/preferences_form.h"

#include <set>

#include "base/app_texts.h"
#include "base/format_text.h"
#include "settings/config_location.h"
#include "settings/hotkey_text.h"

namespace bw {

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
  values.protectPasswords = general.ProtectPasswords;
  values.activateViaCtrlSpace = general.ActivateViaCTRLSpace;
  const std::string base = platform::ProgramBaseName(environment.ProgramPath());
  values.configDir = registry.ReadString(ConfigLocationKey(base), kFolderValue).value_or("");
  return values;
}

PreferencesForm::PreferencesForm(PreferencesView& view, platform::FolderDialog& folders, platform::KeyNames& keys)
    : view_(view), folders_(folders) {
  fields_.reserve(kHotkeyBoxCount);
  for (int i = 0; i < kHotkeyBoxCount; ++i) fields_.emplace_back(keys);
}

void PreferencesForm::Load(const PreferenceValues& values) {
  values_ = values;
  protectedAtLoad_ = values.protectPasswords;
  view_.ShowFolder(FolderBox::Config, values_.configDir);
  view_.ShowFolder(FolderBox::Zup, values_.zupDir);
  for (const HotkeyBox box : kHotkeyBoxes) {
    Field(box).Change(values_.Hotkey(box));
    view_.ShowHotkeyText(box, values_.Hotkey(box));
    view_.ShowHotkeyColour(box, Field(box).TextColour());
  }
  Validate();
}

void PreferencesForm::HotkeyChanged(HotkeyBox box, std::string_view text) {
  Field(box).Change(text);
  values_.Hotkey(box) = text;
  view_.ShowHotkeyColour(box, Field(box).TextColour());
  Validate();
}

void PreferencesForm::HotkeyLeft(HotkeyBox box) {
  HotkeyField& field = Field(box);
  field.LoseFocus();
  if (field.Text() != values_.Hotkey(box)) {
    values_.Hotkey(box) = field.Text();
    view_.ShowHotkeyText(box, field.Text());
    view_.ShowHotkeyColour(box, field.TextColour());
  }
  Validate();
}

bool PreferencesForm::OkEnabled() const {
  std::set<TShortCut> keys;
  for (const HotkeyField& field : fields_) {
    const TShortCut key = field.Code();
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
  if (passed && protectedAtLoad_ && !values_.protectPasswords)
    passed = messages.Confirm(kUnprotectPasswordsCaption, kUnprotectPasswordsText);
  return passed;
}

}  // namespace bw
