// The tray menu as plain data: the configuration entries (folders as submenus), then the thirteen
// fixed items. The Win32 program renders it into an owner-drawn popup and hands a chosen entry's
// id back to the core.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/image_index.h"
#include "platform/key_names.h"
#include "settings/storage.h"

namespace bw {

enum class MenuCommand {
  None,                // separators, folders, "Plug-Ins"
  StartConfiguration,  // `configuration`
  StartPlugin,         // `pluginIndex`
  OpenBrackwater,      // management window, page 0 (the default entry)
  OpenTemplates,       // management window, page 1
  ToggleHotkeys,
  ResetVariables,
  Preferences,
  About,
  Exit,
};

inline constexpr int kFixedItemCount = 13;
inline constexpr int kMenuMarginWidth = 24;

struct TrayMenuEntry {
  int id = 0;              // unique in one model, from 1; the rendered item's command id
  std::string name;        // component name of a fixed item ("itmExit"), empty otherwise
  std::string caption;     // with "&" before the access key
  std::string shortcut;    // hotkey text shown beside the caption (display only)
  int image = -1;          // -1: none
  bool separator = false;
  bool isDefault = false;
  bool checked = false;
  bool enabled = true;
  MenuCommand command = MenuCommand::None;
  const TConfigStorage* configuration = nullptr;  // configurations and folders; not owned
  int pluginIndex = -1;                           // plug-ins: position in the plug-ins folder
  std::vector<TrayMenuEntry> children;
};

struct TrayMenuModel {
  std::vector<TrayMenuEntry> items;
  std::string marginText;  // "Brackwater" and the version text, drawn upwards in the margin
};

// The whole menu from the settings tree; versionText as from VersionText().
TrayMenuModel BuildTrayMenu(const TStorage& root, platform::KeyNames& keys, bool hotkeysActive,
                            std::string_view versionText);

// The entry with this id, searched depth first; nullptr for none.
const TrayMenuEntry* FindMenuEntry(const TrayMenuModel& menu, int id);
// The entry of a configuration record, searched depth first; nullptr for none.
const TrayMenuEntry* FindConfigEntry(const TrayMenuModel& menu, const TConfigStorage& config);

}  // namespace bw
