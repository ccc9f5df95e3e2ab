// The management window's template file commands.
#include <algorithm>
#include <vector>

#include "app/template_files.h"
#include "program/item_list_controls.h"
#include "program/main_form.h"

namespace bw::win32 {

TemplateFileServices MainForm::TemplateFiles() {
  return TemplateFileServices{fileDialogs_, files_, keyNames_, messageBoxes_, [this] { return core_->HotkeysActive(); },
                              [this](bool active) { core_->SetHotkeysActive(active); }};
}

void MainForm::ImportTemplateFileCommand() {
  if (!core_ || !settings_.root || ActivePage() != ManagementPage::Templates) return;
  TemplateFileServices services = TemplateFiles();
  const int before = TemplatesFolder(*settings_.root).ChildCount();
  const int added = ImportTemplateFile(TemplatesFolder(*settings_.root), services);
  if (added <= 0 || !templateControl_) return;
  // The list shows the new rows at its end, selected.
  std::vector<int> rows(static_cast<std::size_t>(added));
  for (int i = 0; i < added; ++i) rows[static_cast<std::size_t>(i)] = before + i;
  templateControl_->ShowRows(rows);
}

void MainForm::ExportTemplateFileCommand() {
  if (!core_ || !settings_.root || ActivePage() != ManagementPage::Templates || !templateControl_) return;
  std::vector<int> rows = templateControl_->SelectedRows();
  std::sort(rows.begin(), rows.end());  // the file keeps the list's order
  std::vector<const TCommentStorage*> chosen;
  for (const int row : rows)
    if (row >= 0 && row < TemplatesFolder(*settings_.root).ChildCount()) chosen.push_back(&Template(*settings_.root, row));
  TemplateFileServices services = TemplateFiles();
  ExportTemplateFile(chosen, services);
}

}  // namespace bw::win32
