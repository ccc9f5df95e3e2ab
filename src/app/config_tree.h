// The configuration tree of the management window: its operations on the configurations folder of
// the settings tree. The tree view shows the folder exactly (a node per record, in record order),
// and the tray menu is built from the same folder, so both follow every change; ConfigShortcuts
// and the hotkey registrations are kept in step here.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "app/app_core.h"
#include "app/config_dialog.h"
#include "launch/zup_files.h"
#include "platform/key_names.h"
#include "platform/messages.h"
#include "settings/storage.h"

namespace bw {

inline constexpr std::string_view kDeleteNavisionCaption = "Delete Navision Item";
inline constexpr std::string_view kDeleteNavisionText = "Are you sure you wish to delete item %s ?";
inline constexpr std::string_view kCloneOf = "Clone of %s";

// What shows the tree: after every change it is told to show the folder again.
class ConfigTreeView {
public:
  virtual ~ConfigTreeView() = default;
  // The records of the configurations folder as nodes, `selected` (or nothing) selected.
  virtual void ShowTree(const TStorage& configsFolder, const TConfigStorage* selected) = 0;
};

struct ConfigTreeServices {
  AppCore& core;  // the hotkey bracket and ConfigShortcuts
  ConfigDialog& dialog;
  platform::Messages& messages;
  platform::KeyNames& keys;
  ZupFolder& zup;
};

class ConfigTree {
public:
  ConfigTree(TStorage& root, ConfigTreeServices services) : root_(root), services_(services) {}

  void SetView(ConfigTreeView* view);

  // The selected record (the view reports the user's choice); nullptr for none.
  TConfigStorage* Selected() const { return selected_; }
  void Select(TConfigStorage* record) { selected_ = record; }
  // Clone is offered unless a folder is selected.
  bool CloneEnabled() const { return selected_ == nullptr || !selected_->IsSubMenu; }

  // Each returns whether the tree changed.
  bool Add();
  bool Modify();
  bool Delete();
  bool Clone();
  bool MoveUp();
  bool MoveDown();

  // Drag and drop: the selected record is remembered at the start; the drop moves it by the
  // record under the mouse (nullptr for empty space).
  void BeginDrag() { dragged_ = selected_; }
  void CancelDrag() { dragged_ = nullptr; }
  bool Dragging() const { return dragged_ != nullptr; }
  bool Drop(TConfigStorage* target);

private:
  // The folder new records go into from the selection: the nearest folder at or above it.
  TConfigStorage* TargetFolder() const;
  bool AddFromDialog(ConfigDialogState& state, TConfigStorage* targetFolder);
  ConfigDialogState AddPresets(TConfigStorage* targetFolder) const;
  void TakeRememberedFolders(const ConfigDialogState& state);
  // The dialog shows a protected password in clear; what it gives back is protected again.
  void OpenPassword(ConfigValues& values);
  void KeepPasswordProtected(TConfigStorage& record);
  // Whether any configuration but `except` is named `name`; they would share .zup files.
  bool NameInUse(std::string_view name, const TConfigStorage* except) const;
  void Refresh();
  // Shows the message and returns true when `record` (nullptr: a new one) cannot go into
  // `parent` without nesting deeper than the configuration file can hold.
  bool RefuseTooDeep(const TStorage& parent, const TStorage* record);

  TStorage& root_;
  ConfigTreeServices services_;
  ConfigTreeView* view_ = nullptr;
  TConfigStorage* selected_ = nullptr;
  TConfigStorage* dragged_ = nullptr;
};

// The hotkey bracket around a change of items: registrations dropped first, made again after.
class ItemsChange {
public:
  explicit ItemsChange(AppCore& core) : core_(core) { core_.BeginItemsChange(); }
  ~ItemsChange() { core_.EndItemsChange(); }
  ItemsChange(const ItemsChange&) = delete;
  ItemsChange& operator=(const ItemsChange&) = delete;

private:
  AppCore& core_;
};

// What depends on the active page of the management window.
struct PageState {
  int helpContext = 1;
  bool importExportEnabled = false;
  bool cloneEnabled = true;
};
PageState PageStateFor(ManagementPage page, const ConfigTree& tree);

// The management window's Edit keys, on every page: Ins or F3 adds, Shift with them clones;
// Enter modifies; Del or F4 deletes; Ctrl+Up and Ctrl+Down move. With Alt, or with another
// combination of Shift and Ctrl, a key is none of them.
enum class EditAction { Add, Clone, Modify, Delete, MoveUp, MoveDown };
std::optional<EditAction> EditShortcut(std::uint16_t virtualKey, bool shift, bool ctrl, bool alt);

}  // namespace bw
