#include "app/preferences_apply.h"

#include "editor/typing_pace.h"
#include "editor/variable_list.h"
#include "platform/environment.h"
#include "settings/hotkey_text.h"

namespace bw {

std::string WithTrailingDelimiter(std::string folder) {
  if (folder.empty() || (folder.back() != platform::kPathDelimiter && folder.back() != '/' && folder.back() != '\\'))
    folder += platform::kPathDelimiter;
  return folder;
}

void ApplyPreferences(const PreferenceValues& values, PreferencesTarget target, platform::KeyNames& keys) {
  TBrackwaterStorage& general = General(target.core.Root());
  general.Author = values.author;
  general.Initials = values.initials;
  general.Company = values.company;
  general.ZupDir = WithTrailingDelimiter(values.zupDir);

  target.autoStart = values.runOnStartup;

  for (const HotkeyBox box : kHotkeyBoxes) HotkeySetting(general, box) = CanonicalHotkey(values.Hotkey(box), keys);
  general.ActivateViaDOT = values.activateViaDot;
  general.ActivateViaCTRLSpace = values.activateViaCtrlSpace;
  // The passwords take the new form at the next save.
  general.ProtectPasswords = values.protectPasswords;
  const TypingPace pace = ClampedPace(values.newLinePause, values.characterPause);
  general.NewLinePause = static_cast<std::int32_t>(pace.newLine.count());
  general.CharacterPause = static_cast<std::int32_t>(pace.character.count());

  target.configFile.Relocate(values.configDir);
  target.core.ApplyHotkeySettings();
  SetReservedVariables(general);
}

}  // namespace bw
