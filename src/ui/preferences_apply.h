// Applying accepted preferences: the general record, the start-with-Windows flag, the
// configuration file's folder, the hotkeys and the reserved template variables.
#pragma once

#include "app/app_core.h"
#include "settings/config_file.h"
#include "ui/preferences_form.h"

namespace bw {

struct PreferencesTarget {
  AppCore& core;          // holds the settings tree and the hotkey registrations
  ConfigFile& configFile;
  bool& autoStart;        // written to the registry by the next save
};

// In this order: Author, Initials, Company and ZupDir (with a trailing delimiter); AutoStart;
// the nine hotkey texts (in their canonical form) and the completion switches; the
// configuration folder (the file moves when its path changes); every hotkey registered anew;
// the variables "Author", "Initials" and "Company".
void ApplyPreferences(const PreferenceValues& values, PreferencesTarget target, platform::KeyNames& keys);

}  // namespace bw
