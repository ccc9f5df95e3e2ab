#include "ui/preferences_form.h"

#include <optional>
#include <set>

#include "base/app_texts.h"
#include "base/decimal_number.h"
#include "base/format_text.h"
#include "editor/typing_pace.h"
#include "platform/ansi_text.h"
#include "settings/config_location.h"
#include "settings/hotkey_text.h"

namespace bw {

namespace {

// The dialog's fields and messages are ANSI; the configuration folder is a UTF-8 path.
std::string AnsiShown(const std::string& utf8) { return platform::Utf8ToAnsi(utf8).value_or(utf8); }

// The number a pause field holds: digits only (blanks around them allowed), within 0 to limit.
std::optional<std::int32_t> PauseValue(std::string_view text, std::int32_t limit) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return std::nullopt;
  const auto value = DecimalNumber(text.substr(first, text.find_last_not_of(' ') - first + 1));
  if (!value || *value > limit) return std::nullopt;
  return value;
}

}  // namespace

std::string_view PauseCaption(PauseBox box) {
  return box == PauseBox::NewLine ? kNewLinePauseCaption : kCharacterPauseCaption;
}

std::int32_t PauseLimit(PauseBox box) { return box == PauseBox::NewLine ? kMaxNewLinePauseMs : kMaxCharacterPauseMs; }

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
  // What the typing uses: a stored value out of its range is shown clamped.
  const TypingPace pace = PaceOf(general);
  values.newLinePause = static_cast<std::int32_t>(pace.newLine.count());
  values.characterPause = static_cast<std::int32_t>(pace.character.count());
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
  pauseRefused_ = {};
  view_.ShowFolder(FolderBox::Config, AnsiShown(values_.configDir));
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

void PreferencesForm::FolderChanged(FolderBox box, std::string_view text) {
  Folder(box) = box == FolderBox::Config ? platform::AnsiToUtf8(text) : std::string(text);
}

void PreferencesForm::Browse(FolderBox box, platform::Messages& messages) {
  const bool inSettings = box == FolderBox::Zup;  // the settings file holds ANSI only
  const auto chosen =
      folders_.ChooseFolder(kFolderDialogTitle, inSettings ? platform::AnsiToUtf8(Folder(box)) : Folder(box));
  if (!chosen || chosen->empty()) return;
  const std::string folder = WithTrailingDelimiter(*chosen);
  if (!inSettings) {
    Folder(box) = folder;
    view_.ShowFolder(box, AnsiShown(folder));
    return;
  }
  const auto ansi = platform::Utf8ToAnsi(folder);
  if (!ansi) {
    messages.Show(platform::MessageKind::Error, FormatText(kFolderNotStorable, {folder}));
    return;
  }
  Folder(box) = *ansi;
  view_.ShowFolder(box, *ansi);
}

void PreferencesForm::PauseChanged(PauseBox box, std::string_view text) {
  const auto value = PauseValue(text, PauseLimit(box));
  pauseRefused_[static_cast<std::size_t>(box)] = !value;
  if (value) (box == PauseBox::NewLine ? values_.newLinePause : values_.characterPause) = *value;
}

bool PreferencesForm::CheckOnOk(platform::FileSystem& files, platform::Messages& messages) const {
  bool passed = true;
  if (values_.zupDir.empty() || !files.FolderExists(platform::AnsiToUtf8(values_.zupDir))) {
    messages.Show(platform::MessageKind::Error, FormatText(kFolderNotFound, {values_.zupDir}));
    passed = false;
  }
  if (!values_.configDir.empty() && !files.FolderExists(values_.configDir)) {
    messages.Show(platform::MessageKind::Error, FormatText(kFolderNotFound, {AnsiShown(values_.configDir)}));
    passed = false;
  }
  for (const PauseBox box : {PauseBox::NewLine, PauseBox::Character}) {
    if (!pauseRefused_[static_cast<std::size_t>(box)]) continue;
    messages.Show(platform::MessageKind::Error,
                  FormatText(kPauseNotInRange, {PauseCaption(box), std::to_string(PauseLimit(box))}));
    passed = false;
  }
  if (passed && protectedAtLoad_ && !values_.protectPasswords)
    passed = messages.Confirm(kUnprotectPasswordsCaption, kUnprotectPasswordsText);
  return passed;
}

}  // namespace bw
