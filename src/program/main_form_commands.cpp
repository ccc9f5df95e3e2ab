// The commands of the tray menu and of the management window's View and Help menus that open
// the preferences, the about box and the version check.
#include "app/scoped_flag.h"
#include "app/text_resource.h"
#include "program/main_form.h"
#include "program/version_info.h"
#include "platform/win32/win32_folder_dialog.h"
#include "platform/win32/win32_resources.h"
#include "app/preferences_apply.h"
#include "ui/win32/dpi.h"
#include "ui/win32/frm_about.h"
#include "ui/win32/frm_navision_preferences.h"

namespace bw::win32 {
namespace {

std::optional<FileVersion> FixedVersion(const VersionInfo& info) {
  if (!info.present) return std::nullopt;
  return FileVersion{info.major, info.minor, info.release, info.build};
}

}  // namespace

void MainForm::ShowPreferences() {
  if (!core_ || preferencesOpen_) return;  // the tray menu stays usable while the dialog is open
  const ScopedFlag open(preferencesOpen_);
  TBrackwaterStorage& general = General(*settings_.root);
  PreferenceValues values = ReadPreferences(general, settings_.autoStart, environment_, registry_);
  platform::Win32FolderDialog folders(window_.Get());
  if (!ui::EditPreferences(window_.Get(), values, {folders, keyNames_, files_, messageBoxes_})) return;
  ApplyPreferences(values, {*core_, configFile_, settings_.autoStart}, keyNames_);
}

void MainForm::ShowAbout() {
  if (aboutOpen_) return;
  const ScopedFlag open(aboutOpen_);
  const VersionInfo info = ReadVersionInfo(programPath_);
  const AboutTexts texts{info.fileDescription, info.fileVersion, info.companyName, info.legalCopyright, info.internet};
  const int size = Scale(32, WindowDpi(window_.Get()));
  const platform::UniqueIcon icon(static_cast<HICON>(
      LoadImageA(instance_, MAKEINTRESOURCEA(kProgramIconResource), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
  const StringList whatsNew = ReadTextResource(resources_, "WHATSNEW");
  ui::ShowAboutBox(window_.Get(), texts, icon.Get(), whatsNew, shell_);
}

void MainForm::CheckForNewVersion() {
  const VersionInfo info = ReadVersionInfo(programPath_);
  bw::CheckForNewVersion(shell_, info.internet, FixedVersion(info));
}

}  // namespace bw::win32
