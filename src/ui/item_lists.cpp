#include "ui/item_lists.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "base/app_texts.h"
#include "base/format_text.h"
#include "app/config_shortcuts.h"
#include "app/config_tree.h"
#include "settings/hotkey_text.h"

namespace bw {

// ---- templates

int TemplateList::RowCount() const { return TemplatesFolder(root_).ChildCount(); }

TemplateRow TemplateList::Row(int index) const {
  const TCommentStorage& item = Template(root_, index);
  TemplateRow row;
  row.caption = item.CommentName;
  row.hotkey = HotkeyCodeText(item.Hotkey, keys_);
  row.failed = item.HotkeyFailed;
  row.image = row.failed ? kImageTemplateFailed : kImageTemplate;
  return row;
}

std::string TemplateList::Tip(int index, std::string_view ordinaryTip) const {
  if (index < 0 || index >= RowCount() || !Template(root_, index).HotkeyFailed) return std::string(ordinaryTip);
  return std::string(kHotkeyFailedTip) + "\r\n" + std::string(ordinaryTip);
}

void TemplateList::Select(std::vector<int> rows) {
  std::erase_if(rows, [&](int row) { return row < 0 || row >= RowCount(); });
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  selected_ = std::move(rows);
}

void TemplateList::Show(std::vector<int> selected) {
  Select(std::move(selected));
  if (view_ != nullptr) view_->ShowRows(selected_);
}

bool TemplateList::Add() {
  TemplateEditorState state;
  if (!editor_.Edit(state)) return false;
  return AddFromEditor(state);
}

bool TemplateList::AddFromEditor(const TemplateEditorState& state) {
  TStorage& folder = TemplatesFolder(root_);
  {
    ItemsChange change(core_);
    auto item = std::make_unique<TCommentStorage>();
    item->CommentName = state.name;
    item->Comment = state.text;
    item->Hotkey = state.hotkey;
    MarkDuplicateHotkey(*item, folder);
    folder.AddChild(std::move(item));
  }
  Show({RowCount() - 1});
  return true;
}

bool TemplateList::Modify() {
  if (selected_.size() != 1) return false;
  const int index = selected_.front();
  TCommentStorage& item = Template(root_, index);
  TemplateEditorState state{item.CommentName, item.Comment, ItemShortcut(item.Hotkey), item.HotkeyFailed};
  if (!editor_.Edit(state)) return false;
  {
    ItemsChange change(core_);
    item.CommentName = state.name;
    item.Comment = state.text;
    item.Hotkey = state.hotkey;
    item.HotkeyFailed = false;
    MarkDuplicateHotkey(item, TemplatesFolder(root_));
  }
  Show({index});
  return true;
}

bool TemplateList::Clone() {
  if (selected_.size() != 1) return false;
  const TCommentStorage& item = Template(root_, selected_.front());
  TemplateEditorState state{FormatText(kCloneOf, {item.CommentName}), item.Comment,
                            ItemShortcut(item.Hotkey), false};
  if (!editor_.Edit(state)) return false;
  return AddFromEditor(state);
}

bool TemplateList::Delete() {
  if (selected_.empty()) return false;
  TStorage& folder = TemplatesFolder(root_);
  const std::string text = selected_.size() > 1
                               ? std::string(kDeleteSelectedText)
                               : FormatText(kDeleteItemText, {Template(root_, selected_.front()).CommentName});
  if (!messages_.Confirm(kDeleteTemplateCaption, text)) return false;
  {
    ItemsChange change(core_);
    for (auto row = selected_.rbegin(); row != selected_.rend(); ++row) folder.DeleteChild(*row);
  }
  Show({});
  return true;
}

bool TemplateList::Move(int delta) {
  if (selected_.empty()) return false;
  const int index = selected_.front();
  const int to = index + delta;
  if (to < 0 || to >= RowCount()) return false;
  TemplatesFolder(root_).MoveChild(index, to);
  Show({to});
  return true;
}

bool TemplateList::MoveUp() { return Move(-1); }
bool TemplateList::MoveDown() { return Move(1); }

// ---- plug-ins

namespace {

std::string WithoutQuotes(std::string text) {
  std::erase(text, '"');
  return text;
}

}  // namespace

PluginList::PluginList(TStorage& root, AppCore& core, PluginDialog& dialog, platform::Messages& messages)
    : root_(root), core_(core), dialog_(dialog), messages_(messages) {
  const TStorage& folder = PluginsFolder(root_);
  for (int i = 0; i < folder.ChildCount(); ++i) locations_.push_back(WithoutQuotes(Plugin(root_, i).ExecutablePath));
}

PluginRow PluginList::Row(int index) const {
  const TPluginStorage& plugin = Plugin(root_, index);
  return {plugin.PluginName, locations_.at(static_cast<std::size_t>(index)), plugin.Parameters};
}

void PluginList::Show() {
  if (view_ != nullptr) view_->ShowRows(HasSelection() ? std::vector<int>{selected_} : std::vector<int>{});
}

bool PluginList::Add() {
  PluginDialogState state;
  state.lastPluginLocation = General(root_).LastPluginLocation;
  if (!dialog_.EditPlugin(state)) return false;
  return AddFromDialog(state);
}

bool PluginList::AddFromDialog(PluginDialogState& state) {
  {
    ItemsChange change(core_);
    auto plugin = std::make_unique<TPluginStorage>();
    plugin->PluginName = state.name;
    plugin->ExecutablePath = state.executable;
    plugin->Parameters = state.parameters;
    plugin->Hotkey = state.hotkey;
    PluginsFolder(root_).AddChild(std::move(plugin));
    locations_.push_back(state.executable);
  }
  General(root_).LastPluginLocation = state.lastPluginLocation;
  selected_ = RowCount() - 1;
  Show();
  return true;
}

bool PluginList::Modify() {
  if (!HasSelection()) return false;
  TPluginStorage& plugin = Plugin(root_, selected_);
  PluginDialogState state{plugin.PluginName, plugin.ExecutablePath, plugin.Parameters,
                          ItemShortcut(plugin.Hotkey), General(root_).LastPluginLocation};
  if (!dialog_.EditPlugin(state)) return false;
  {
    ItemsChange change(core_);
    plugin.PluginName = state.name;
    plugin.ExecutablePath = state.executable;
    plugin.Parameters = state.parameters;
    plugin.Hotkey = state.hotkey;
    locations_[static_cast<std::size_t>(selected_)] = state.executable;
  }
  General(root_).LastPluginLocation = state.lastPluginLocation;
  Show();
  return true;
}

bool PluginList::Clone() {
  PluginDialogState state;
  state.lastPluginLocation = General(root_).LastPluginLocation;
  if (HasSelection()) {
    const TPluginStorage& plugin = Plugin(root_, selected_);
    state.name = FormatText(kCloneOf, {plugin.PluginName});
    state.executable = plugin.ExecutablePath;
    state.parameters = plugin.Parameters;
    state.hotkey = ItemShortcut(plugin.Hotkey);
  }
  if (!dialog_.EditPlugin(state)) return false;
  return AddFromDialog(state);
}

bool PluginList::Delete() {
  if (!HasSelection()) return false;
  if (!messages_.Confirm(kDeletePluginCaption, FormatText(kDeleteItemText, {Plugin(root_, selected_).PluginName})))
    return false;
  {
    ItemsChange change(core_);
    PluginsFolder(root_).DeleteChild(selected_);
    locations_.erase(locations_.begin() + selected_);
  }
  selected_ = -1;
  Show();
  return true;
}

bool PluginList::Move(int delta) {
  if (!HasSelection()) return false;
  const int to = selected_ + delta;
  if (to < 0 || to >= RowCount()) return false;
  PluginsFolder(root_).MoveChild(selected_, to);
  std::swap(locations_[static_cast<std::size_t>(selected_)], locations_[static_cast<std::size_t>(to)]);
  selected_ = to;
  Show();
  return true;
}

bool PluginList::MoveUp() { return Move(-1); }
bool PluginList::MoveDown() { return Move(1); }

}  // namespace bw
