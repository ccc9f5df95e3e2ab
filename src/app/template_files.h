// Export and Import of template files (*.tml) from the management window's File menu.
#pragma once

#include <functional>
#include <span>
#include <string_view>

#include "platform/file_dialogs.h"
#include "platform/file_system.h"
#include "platform/key_names.h"
#include "platform/messages.h"
#include "settings/storage.h"

namespace bw {

inline constexpr std::string_view kTemplateFileFilter = "Template Files (*.tml)|*.tml|All files (*.*)|*.*";
inline constexpr std::string_view kTemplateFileTitle = "Select template file...";

struct TemplateFileServices {
  platform::FileDialogs& dialogs;
  platform::FileSystem& files;
  platform::KeyNames& keys;
  platform::Messages& messages;
  // The hotkey state and the routine behind the Toggle Hotkeys command.
  std::function<bool()> hotkeysActive;
  std::function<void(bool)> setHotkeysActive;
};

// Asks for a file and writes the templates into it, in the given order; nothing without templates
// or when the dialog is cancelled. A failure is shown as an error; the settings never change.
void ExportTemplateFile(std::span<const TCommentStorage* const> selected, TemplateFileServices& services);

// Asks for a file and appends its templates to the templates folder, with hotkeys switched off
// around the change while they are active. A file that cannot be read changes nothing; a
// template without name or code ends the import with an error, the ones before it kept. A warning
// says how many hotkeys without Ctrl or Alt were dropped. Returns how many templates were appended.
int ImportTemplateFile(TStorage& templatesFolder, TemplateFileServices& services);

}  // namespace bw
