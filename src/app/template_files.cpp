// Export and Import of template files.
#include "app/template_files.h"

#include "platform/ansi_text.h"
#include "settings/config_file.h"
#include "settings/template_exchange.h"

namespace bw {

namespace {

// Hotkeys off for the lifetime of the object when they were on, and on again afterwards.
class HotkeysOff {
public:
  explicit HotkeysOff(TemplateFileServices& services) : services_(services), wereActive_(services.hotkeysActive()) {
    if (wereActive_) services_.setHotkeysActive(false);
  }
  HotkeysOff(const HotkeysOff&) = delete;
  HotkeysOff& operator=(const HotkeysOff&) = delete;
  ~HotkeysOff() {
    if (wereActive_) services_.setHotkeysActive(true);
  }

private:
  TemplateFileServices& services_;
  bool wereActive_;
};

}  // namespace

void ExportTemplateFile(std::span<const TCommentStorage* const> selected, TemplateFileServices& services) {
  if (selected.empty()) return;
  const auto path = services.dialogs.SaveFile(
      {.fileName = {}, .filter = std::string(kTemplateFileFilter), .title = std::string(kTemplateFileTitle),
       .defaultExtension = "tml"});
  if (!path) return;
  try {
    const auto bytes = ExportTemplates(selected, services.keys);
    if (!services.files.WriteAtomic(platform::AnsiToUtf8(*path), bytes)) {
      // The system's reason comes after the file's name, as the system itself would put it.
      const std::string reason = services.files.LastErrorText();
      services.messages.Show(platform::MessageKind::Error,
                             "Cannot create file \"" + *path + "\"." + (reason.empty() ? "" : " " + reason));
    }
  } catch (const TemplateFileError& e) {
    services.messages.Show(platform::MessageKind::Error, e.what());
  }
}

int ImportTemplateFile(TStorage& templatesFolder, TemplateFileServices& services) {
  const auto path = services.dialogs.OpenFile(
      {.folder = {}, .fileName = {}, .filter = std::string(kTemplateFileFilter), .title = std::string(kTemplateFileTitle),
       .defaultExtension = "tml"});
  if (!path) return 0;
  const auto bytes = services.files.ReadAll(platform::AnsiToUtf8(*path), kMaxTemplateFileBytes);
  if (!bytes) {
    const auto size = services.files.FileSize(platform::AnsiToUtf8(*path));
    services.messages.Show(platform::MessageKind::Error, size && *size > kMaxTemplateFileBytes
                                                             ? std::string(kTemplateFileTooLarge)
                                                             : "Cannot open file \"" + *path + "\".");
    return 0;
  }
  TemplateFileContents contents;
  try {
    contents = ReadTemplateFile(*bytes, services.keys);
  } catch (const TemplateFileError& e) {
    services.messages.Show(platform::MessageKind::Error, e.what());
    return 0;
  }
  int appended = 0;
  SettingsFit fit = SettingsFit::Fits;
  {
    HotkeysOff off(services);
    appended = AppendTemplates(contents, templatesFolder);
    const TStorage* root = templatesFolder.Parent();
    fit = root != nullptr ? CheckSettingsFit(*root) : SettingsFit::Fits;
    if (fit != SettingsFit::Fits) {
      // The file could not hold them: none of them is kept.
      for (; appended > 0; --appended) templatesFolder.DeleteChild(templatesFolder.ChildCount() - 1);
    }
  }
  if (fit != SettingsFit::Fits) {
    services.messages.Show(platform::MessageKind::Error, SettingsFitMessage(fit));
    return 0;
  }
  if (contents.stopped) services.messages.Show(platform::MessageKind::Error, contents.error);
  if (contents.droppedHotkeys > 0)
    services.messages.Show(platform::MessageKind::Warning, DroppedHotkeysText(contents.droppedHotkeys));
  return appended;
}

}  // namespace bw
