#include "ui/template_editor_form.h"

#include <algorithm>
#include <iterator>

#include "base/app_texts.h"
#include "ui/access_keys.h"
#include "ui/template_preview.h"

namespace bw {
namespace {

// The controls besides the toolbar that answer an access key, and where each leads: a label to
// its field, the box to itself (its key ticks or unticks it, wherever the focus is).
struct ControlKey {
  std::string_view caption;
  TemplateEditorFocus leadsTo;
  bool label;
};
constexpr ControlKey kControlKeys[] = {
    {kTemplateNameLabel, TemplateEditorFocus::Name, true},
    {kTemplateTextLabel, TemplateEditorFocus::Text, true},
    {kTemplateUseHotkeyBox, TemplateEditorFocus::UseHotkey, false},
    {kTemplateHotkeyLabel, TemplateEditorFocus::Hotkey, true},
};

}  // namespace

std::optional<std::size_t> TagButtonForAccessKey(char key, TemplateEditorFocus focus) {
  for (const ControlKey& control : kControlKeys)
    if (HasAccessKey(control.caption, key) && !(control.label && control.leadsTo == focus)) return std::nullopt;
  for (std::size_t i = 0; i < std::size(kTagButtons); ++i)
    if (HasAccessKey(kTagButtons[i].caption, key)) return i;
  return std::nullopt;
}

void TemplateEditorForm::SetText(std::string_view text) { richText_ = MakeTemplatePreview(text).text; }

void TemplateEditorForm::SetHotkey(TShortCut code) {
  boxTicked_ = code != 0;
  hotkey_.Show(code);
}

void TemplateEditorForm::Attach(TemplateEditorView* view) {
  view_ = view;
  if (view_ == nullptr) return;
  view_->SetTemplateText(richText_, 0);
  Highlight();
  view_->SetHotkeyText(hotkey_.Text());
  ShowHotkeyState();
  view_->SetProblem(hotkeyFailed_ ? kHotkeyFailedTip : std::string_view());
  RefreshOk();
}

void TemplateEditorForm::NameChanged(std::string_view name) {
  name_ = name;
  RefreshOk();
}

void TemplateEditorForm::TextChanged(std::string_view richText) {
  richText_ = richText;
  Highlight();
  RefreshOk();
}

void TemplateEditorForm::InsertTag(std::string_view tag, std::size_t start, std::size_t length) {
  start = std::min(start, richText_.size());
  length = std::min(length, richText_.size() - start);
  richText_.replace(start, length, "<<" + std::string(tag) + ">>");
  if (view_ != nullptr) view_->SetTemplateText(richText_, start);
  Highlight();
  RefreshOk();
}

void TemplateEditorForm::BoxToggled(bool ticked) {
  boxTicked_ = ticked;
  ShowHotkeyState();
  RefreshOk();
}

void TemplateEditorForm::HotkeyChanged(std::string_view text) {
  hotkey_.Change(text);
  ShowHotkeyState();
  RefreshOk();
}

void TemplateEditorForm::HotkeyLeft() {
  hotkey_.LoseFocus();
  if (view_ != nullptr) view_->SetHotkeyText(hotkey_.Text());
  ShowHotkeyState();
  RefreshOk();
}

std::string TemplateEditorForm::Text() const {
  std::string text;
  text.reserve(richText_.size() + richText_.size() / 16);
  for (std::size_t i = 0; i < richText_.size(); ++i) {
    const char c = richText_[i];
    if (c == '\r' || c == '\n') {
      text += "\r\n";
      if (c == '\r' && i + 1 < richText_.size() && richText_[i + 1] == '\n') ++i;
    } else {
      text.push_back(c);
    }
  }
  return text;
}

bool TemplateEditorForm::OkEnabled() const {
  return !name_.empty() && !richText_.empty() && (!boxTicked_ || hotkey_.Code() != 0);
}

void TemplateEditorForm::Highlight() {
  // Colouring may make the view report a change of its own; that one does not colour again.
  if (view_ == nullptr || highlighting_) return;
  highlighting_ = true;
  view_->ColourTags(HighlightTags(richText_));
  highlighting_ = false;
}

void TemplateEditorForm::ShowHotkeyState() {
  if (view_ != nullptr) view_->SetHotkeyState(boxTicked_, boxTicked_, hotkey_.TextColour());
}

void TemplateEditorForm::RefreshOk() {
  if (view_ != nullptr) view_->EnableOk(OkEnabled());
}

}  // namespace bw
