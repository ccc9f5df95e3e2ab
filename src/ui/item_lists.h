// The template list and the plug-in list of the management window: their operations on the
// templates and plug-ins folders of the settings tree. Row i of a list is child i of its folder;
// the tray menu and the hotkey registrations are built from the same folders, so they follow every
// change. Add, Modify, Delete and Clone run inside the hotkey bracket; moves touch no registration.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/app_core.h"
#include "base/image_index.h"
#include "platform/key_names.h"
#include "platform/messages.h"
#include "settings/hotkey_text.h"
#include "settings/storage.h"

namespace bw {

inline constexpr std::string_view kDeleteTemplateCaption = "Delete Comment Item";
inline constexpr std::string_view kDeletePluginCaption = "Delete Plug-In Item";
inline constexpr std::string_view kDeleteItemText = "Are you sure you wish to delete item %s ?";
inline constexpr std::string_view kDeleteSelectedText = "Are you sure you wish to delete all selected items ?";

// ---- templates

// What the template editor is opened with and gives back on OK.
struct TemplateEditorState {
  std::string name;
  std::string text;  // CR LF line breaks
  TShortCut hotkey = 0;
  bool hotkeyFailed = false;  // shows the registration-failure text beside the hotkey box
};

class TemplateEditor {
public:
  virtual ~TemplateEditor() = default;
  // True when confirmed, with `state` holding the results.
  virtual bool Edit(TemplateEditorState& state) = 0;
};

// A column of a list: its caption and its width at 96 DPI.
struct ListColumn {
  const char* caption;
  int width;
};

inline constexpr std::array<ListColumn, 2> kTemplateColumns{{{"Name", 400}, {"Hotkey", 83}}};

struct TemplateRow {
  std::string caption;
  std::string hotkey;  // FormatHotkey of the code, empty for none
  int image = kImageTemplate;
  bool failed = false;

  // The text of column `column` of kTemplateColumns.
  const std::string& Cell(std::size_t column) const { return column == 0 ? caption : hotkey; }
};

class ItemListView {
public:
  virtual ~ItemListView() = default;
  // The rows changed; `selected` are the rows to select (the first one focused).
  virtual void ShowRows(const std::vector<int>& selected) = 0;
};

class TemplateList {
public:
  TemplateList(TStorage& root, AppCore& core, TemplateEditor& editor, platform::Messages& messages,
               platform::KeyNames& keys)
      : root_(root), core_(core), editor_(editor), messages_(messages), keys_(keys) {}

  void SetView(ItemListView* view) { view_ = view; }

  int RowCount() const;
  TemplateRow Row(int index) const;
  // The tip of a row: the failure text and a line break before the ordinary tip when its hotkey failed.
  std::string Tip(int index, std::string_view ordinaryTip) const;

  // The rows the user selected, in any order.
  void Select(std::vector<int> rows);
  const std::vector<int>& Selected() const { return selected_; }

  // Each returns whether the list changed.
  bool Add();
  bool Modify();  // exactly one row selected
  bool Clone();   // exactly one row selected
  bool Delete();
  bool MoveUp();  // the first selected row
  bool MoveDown();

private:
  bool AddFromEditor(const TemplateEditorState& state);
  bool Move(int delta);
  void Show(std::vector<int> selected);

  TStorage& root_;
  AppCore& core_;
  TemplateEditor& editor_;
  platform::Messages& messages_;
  platform::KeyNames& keys_;
  ItemListView* view_ = nullptr;
  std::vector<int> selected_;
};

// ---- plug-ins

// The configuration dialog in plug-in mode.
struct PluginDialogState {
  std::string name;
  std::string executable;
  std::string parameters;
  TShortCut hotkey = 0;
  std::string lastPluginLocation;  // the remembered browse folder, given back on OK
};

class PluginDialog {
public:
  virtual ~PluginDialog() = default;
  virtual bool EditPlugin(PluginDialogState& state) = 0;
};

inline constexpr std::array<ListColumn, 2> kPluginColumns{{{"Name", 250}, {"Location", 233}}};

struct PluginRow {
  std::string caption;
  std::string location;
  std::string parameters;  // shown in no column

  // The text of column `column` of kPluginColumns.
  const std::string& Cell(std::size_t column) const { return column == 0 ? caption : location; }
};

class PluginList {
public:
  // The rows are built from the plug-ins folder as it is now: locations without double quotes.
  PluginList(TStorage& root, AppCore& core, PluginDialog& dialog, platform::Messages& messages);

  void SetView(ItemListView* view) { view_ = view; }

  int RowCount() const { return static_cast<int>(locations_.size()); }
  PluginRow Row(int index) const;

  void Select(int row) { selected_ = row; }
  int Selected() const { return selected_; }

  bool Add();
  bool Modify();
  bool Clone();
  bool Delete();
  bool MoveUp();
  bool MoveDown();

private:
  bool AddFromDialog(PluginDialogState& state);
  bool Move(int delta);
  bool HasSelection() const { return selected_ >= 0 && selected_ < RowCount(); }
  void Show();

  TStorage& root_;
  AppCore& core_;
  PluginDialog& dialog_;
  platform::Messages& messages_;
  ItemListView* view_ = nullptr;
  // What each row shows as its location: quotes removed at start, as entered after an edit.
  std::vector<std::string> locations_;
  int selected_ = -1;
};

}  // namespace bw
