#include "app/config_tree.h"

#include <algorithm>
#include <memory>
#include <string>

#include "base/app_texts.h"
#include "base/format_text.h"
#include "settings/config_file.h"
#include "settings/stream_tags.h"
#include "settings/protected_password.h"

namespace bw {

namespace {

bool IsBelow(const TStorage* record, const TStorage& ancestor) {
  for (const TStorage* node = record ? record->Parent() : nullptr; node != nullptr; node = node->Parent())
    if (node == &ancestor) return true;
  return false;
}

// Whether `record` (with its subtree) can go into `parent` and the tree still be saved: the
// configuration file nests records no deeper than the stream allows.
bool FitsInto(const TStorage& parent, const TStorage* record) {
  int depth = 1;  // the record itself, one below the parent
  for (const TStorage* node = &parent; node->Parent() != nullptr; node = node->Parent()) ++depth;
  auto height = [](const TStorage& top, auto& self) -> int {
    int most = 0;
    for (int i = 0; i < top.ChildCount(); ++i) most = std::max(most, 1 + self(top.Child(i), self));
    return most;
  };
  if (record != nullptr) depth += height(*record, height);
  return depth < stream::kMaxDepth;
}

}  // namespace

bool ConfigTree::RefuseTooDeep(const TStorage& parent, const TStorage* record) {
  if (FitsInto(parent, record)) return false;
  services_.messages.Show(platform::MessageKind::Error, SettingsFitMessage(SettingsFit::TooDeep));
  return true;
}

void ConfigTree::SetView(ConfigTreeView* view) {
  view_ = view;
  Refresh();
}

void ConfigTree::Refresh() {
  if (view_ != nullptr) view_->ShowTree(ConfigsFolder(root_), selected_);
}

TConfigStorage* ConfigTree::TargetFolder() const {
  const TStorage& configs = ConfigsFolder(root_);
  for (TStorage* node = selected_; node != nullptr && node != &configs; node = node->Parent()) {
    auto& record = As<TConfigStorage>(*node);
    if (record.IsSubMenu) return &record;
  }
  return nullptr;
}

ConfigDialogState ConfigTree::AddPresets(TConfigStorage* targetFolder) const {
  ConfigDialogState state;
  state.createInRoot = targetFolder == nullptr;
  state.createInRootEnabled = targetFolder != nullptr;
  state.newRecord = true;
  const TBrackwaterStorage& general = General(root_);
  state.lastNavisionLocation = general.LastNavisionLocation;
  state.lastDatabaseLocation = general.LastDatabaseLocation;
  return state;
}

void ConfigTree::TakeRememberedFolders(const ConfigDialogState& state) {
  TBrackwaterStorage& general = General(root_);
  general.LastNavisionLocation = state.lastNavisionLocation;
  general.LastDatabaseLocation = state.lastDatabaseLocation;
}

bool ConfigTree::Add() {
  TConfigStorage* target = TargetFolder();
  ConfigDialogState state = AddPresets(target);
  const WipeOnExit wipe(state.values.password);
  if (!services_.dialog.Edit(state)) return false;
  return AddFromDialog(state, target);
}

bool ConfigTree::AddFromDialog(ConfigDialogState& state, TConfigStorage* targetFolder) {
  TStorage& parent = state.createInRoot || targetFolder == nullptr ? ConfigsFolder(root_) : *targetFolder;
  if (RefuseTooDeep(parent, nullptr)) return false;
  auto record = std::make_unique<TConfigStorage>();
  if (state.values.folder) {
    record->IsSubMenu = true;
    record->ConfigName = state.values.name;
  } else {
    WriteValues(state.values, *record);
    KeepPasswordProtected(*record);
  }
  TConfigStorage& added = *record;
  {
    ItemsChange change(services_.core);
    parent.AddChild(std::move(record));
    services_.core.AddConfigShortcut(added);
  }
  TakeRememberedFolders(state);
  selected_ = &added;
  Refresh();
  return true;
}

bool ConfigTree::Modify() {
  if (selected_ == nullptr) return false;
  TConfigStorage& record = *selected_;
  ConfigDialogState state;
  state.values = ValuesOf(record);
  const WipeOnExit wipe(state.values.password);
  OpenPassword(state.values);
  // A protected password that does not open here shows empty; left empty, it is kept as stored.
  const std::string unreadable =
      IsProtectedPassword(record.Password) && state.values.password.empty() ? record.Password : std::string();
  state.createInRootEnabled = false;
  state.folderEnabled = false;
  state.lastNavisionLocation = General(root_).LastNavisionLocation;
  state.lastDatabaseLocation = General(root_).LastDatabaseLocation;
  if (!services_.dialog.Edit(state)) return false;

  const std::string oldName = record.ConfigName;
  {
    ItemsChange change(services_.core);
    // The kind of a record is fixed once it exists: a folder keeps its children, a configuration
    // never gets any.
    state.values.folder = record.IsSubMenu;
    WriteValues(state.values, record);
    if (!unreadable.empty() && record.Password.empty()) record.Password = unreadable;
    KeepPasswordProtected(record);
    services_.core.SyncConfigShortcuts();
    // Another configuration of the old name shares its files and keeps them.
    if (!record.IsSubMenu && !NameInUse(oldName, &record))
      RenameZupFiles(services_.zup, General(root_).ZupDir, oldName, record.ConfigName);
  }
  TakeRememberedFolders(state);
  Refresh();
  return true;
}

bool ConfigTree::Delete() {
  if (selected_ == nullptr) return false;
  TConfigStorage& record = *selected_;
  if (!services_.messages.Confirm(kDeleteNavisionCaption, FormatText(kDeleteNavisionText, {record.ConfigName})))
    return false;
  const std::string name = record.ConfigName;
  const bool configuration = !record.IsSubMenu;
  {
    ItemsChange change(services_.core);
    services_.core.RemoveConfigShortcuts(record);
    if (dragged_ != nullptr && (dragged_ == &record || IsBelow(dragged_, record))) dragged_ = nullptr;
    selected_ = nullptr;
    record.ClearChildren();
    record.Parent()->RemoveChild(&record);  // destroys it
    // A folder has no files of its own; a configuration's files stay while another one shares them.
    if (configuration && !NameInUse(name, nullptr))
      DeleteZupFiles(services_.zup, General(root_).ZupDir, name);
  }
  Refresh();
  return true;
}

bool ConfigTree::Clone() {
  TConfigStorage* target = TargetFolder();
  ConfigDialogState state = AddPresets(target);
  const WipeOnExit wipe(state.values.password);
  if (selected_ != nullptr) {
    state.values = ValuesOf(*selected_);
    OpenPassword(state.values);
    state.values.name = FormatText(kCloneOf, {selected_->ConfigName});
  } else {
    state.createInRoot = true;
    state.createInRootEnabled = false;
  }
  if (!services_.dialog.Edit(state)) return false;
  return AddFromDialog(state, target);
}

void ConfigTree::OpenPassword(ConfigValues& values) {
  values.password = UsablePassword(values.password, services_.core.SecretProtection());
}

void ConfigTree::KeepPasswordProtected(TConfigStorage& record) {
  // While the preference is on the tree holds only protected passwords; the next save protects
  // one that the platform refuses now.
  if (General(root_).ProtectPasswords) PreparePasswordForSave(record.Password, true, services_.core.SecretProtection());
}

bool ConfigTree::MoveUp() {
  if (selected_ == nullptr) return false;
  TStorage& parent = *selected_->Parent();
  const int index = parent.IndexOf(selected_);
  if (index <= 0) return false;
  parent.MoveChild(index, index - 1);
  Refresh();
  return true;
}

bool ConfigTree::MoveDown() {
  if (selected_ == nullptr) return false;
  TStorage& parent = *selected_->Parent();
  const int index = parent.IndexOf(selected_);
  if (index < 0 || index + 1 >= parent.ChildCount()) return false;
  parent.MoveChild(index, index + 1);
  Refresh();
  return true;
}

bool ConfigTree::Drop(TConfigStorage* target) {
  TConfigStorage* dragged = dragged_;
  dragged_ = nullptr;
  if (dragged == nullptr) return false;
  TStorage& configs = ConfigsFolder(root_);
  if (target != nullptr && IsBelow(target, *dragged)) return false;

  TStorage& from = *dragged->Parent();
  const bool intoFolder = target != nullptr && target != dragged && target->IsSubMenu;
  const TStorage& destination =
      target == nullptr || target == dragged ? configs : intoFolder ? *target : *target->Parent();
  if (RefuseTooDeep(destination, dragged)) return false;
  if (target == nullptr || target == dragged) {
    configs.AddChild(from.ExtractChild(dragged));
  } else if (target->IsSubMenu) {
    target->AddChild(from.ExtractChild(dragged));
  } else {
    TStorage& to = *target->Parent();
    const int k = to.IndexOf(target);
    to.AddChild(from.ExtractChild(dragged));
    to.MoveChild(to.ChildCount() - 1, k);
  }
  Refresh();
  return true;
}

bool ConfigTree::NameInUse(std::string_view name, const TConfigStorage* except) const {
  bool used = false;
  WalkConfigs(ConfigsFolder(root_), [&](const TConfigStorage& config, int) {
    used = used || (&config != except && !config.IsSubMenu && config.ConfigName == name);
  });
  return used;
}

PageState PageStateFor(ManagementPage page, const ConfigTree& tree) {
  PageState state;
  state.helpContext = static_cast<int>(page) + 1;
  state.importExportEnabled = page == ManagementPage::Templates;
  state.cloneEnabled = page != ManagementPage::Configurations || tree.CloneEnabled();
  return state;
}

std::optional<EditAction> EditShortcut(std::uint16_t virtualKey, bool shift, bool ctrl, bool alt) {
  constexpr std::uint16_t kReturn = 0x0D, kUp = 0x26, kDown = 0x28, kInsert = 0x2D, kDelete = 0x2E, kF3 = 0x72,
                          kF4 = 0x73;
  if (alt) return std::nullopt;
  switch (virtualKey) {
    case kInsert:
    case kF3:
      if (!ctrl) return shift ? EditAction::Clone : EditAction::Add;
      break;
    case kReturn:
      if (!shift && !ctrl) return EditAction::Modify;
      break;
    case kDelete:
    case kF4:
      if (!shift && !ctrl) return EditAction::Delete;
      break;
    case kUp:
      if (ctrl && !shift) return EditAction::MoveUp;
      break;
    case kDown:
      if (ctrl && !shift) return EditAction::MoveDown;
      break;
    default:
      break;
  }
  return std::nullopt;
}

}  // namespace bw
