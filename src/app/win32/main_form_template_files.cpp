// The management window's template file commands.
#include "app/template_files.h"
#include "app/win32/main_form.h"

namespace bw::win32 {

void MainForm::ImportTemplateFileCommand() {
  if (!core_ || !settings_.root || ActivePage() != kTemplatesPage) return;
  TemplateFileServices services{fileDialogs_, files_, keyNames_, messageBoxes_, [this] { return core_->HotkeysActive(); },
                                [this](bool active) { core_->SetHotkeysActive(active); }};
  ImportTemplateFile(TemplatesFolder(*settings_.root), services);
}

}  // namespace bw::win32
