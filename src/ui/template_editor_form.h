// The template editor's logic: the name, the template text with its red tags, the tag buttons,
// the hotkey box and field, the problem label and the OK rule. The window is a thin view over it;
// the text it shows is the rich-text form (each line break one CR) and every position it reports
// or is given counts in that form.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/tag_highlight.h"
#include "platform/key_names.h"
#include "settings/hotkey_field.h"

namespace bw {

inline constexpr std::string_view kTemplateEditorCaption = "%s Code Template";

// Help numbers of the dialog and its fields.
inline constexpr int kHelpTemplateEditor = 30;
inline constexpr int kHelpTemplateName = 31;
inline constexpr int kHelpTemplateText = 32;
inline constexpr int kHelpTemplateHotkeyBox = 33;
inline constexpr int kHelpTemplateHotkey = 34;

struct TagButton {
  std::string_view caption;
  std::string_view hint;
  std::string_view tag;  // the name put between "<<" and ">>"
};
inline constexpr TagButton kTagButtons[] = {
    {"&Date", "Insert Date", "Date"},
    {"&Time", "Insert Time", "Time"},
    {"&Author", "Insert Author", "Author"},
    {"Do&cument", "Insert Document", "Document ID"},
    {"&Version", "Insert Document Version", "Change ID"},
};
// The Author button's drop-down menu.
inline constexpr TagButton kAuthorMenu[] = {
    {"&Author", "", "Author"},
    {"&Initials", "", "Initials"},
    {"&Company", "", "Company"},
};

// The captions of the dialog's other controls that have an access key: three labels, each
// leading to the field below or beside it, and the hotkey box.
inline constexpr std::string_view kTemplateNameLabel = "&Name";
inline constexpr std::string_view kTemplateTextLabel = "&Template";
inline constexpr std::string_view kTemplateUseHotkeyBox = "Use &Hotkey for this template.";
inline constexpr std::string_view kTemplateHotkeyLabel = "Hot&key";

// The control that holds the focus when a key is pressed.
enum class TemplateEditorFocus { Name, Text, UseHotkey, Hotkey, Other };

// The tag button (an index into kTagButtons) that Alt+`key` presses as a click would, or none.
// The buttons take the keys that the dialog's own controls leave free. A key that a label shares
// with a button stays the label's, except while the focus is already in the label's field, where
// moving there would do nothing: Alt+T moves to the template text, and in it inserts the Time tag.
std::optional<std::size_t> TagButtonForAccessKey(char key, TemplateEditorFocus focus);

class TemplateEditorView {
public:
  virtual ~TemplateEditorView() = default;
  // Replaces the whole template text and puts the caret at `caret`; not reported back as a change.
  virtual void SetTemplateText(std::string_view richText, std::size_t caret) = 0;
  // Every character in the window-text colour, the spans red.
  virtual void ColourTags(const std::vector<TextSpan>& red) = 0;
  // The hotkey field's text (not reported back as a change), and its state.
  virtual void SetHotkeyText(std::string_view text) = 0;
  virtual void SetHotkeyState(bool boxTicked, bool fieldEnabled, Rgb colour) = 0;
  virtual void SetProblem(std::string_view text) = 0;
  virtual void EnableOk(bool enabled) = 0;
};

class TemplateEditorForm {
public:
  explicit TemplateEditorForm(platform::KeyNames& keys) : hotkey_(keys) {}

  // ---- presets, before the view is attached
  void SetName(std::string_view name) { name_ = name; }
  // Line breaks of any kind; kept and given back as CR LF.
  void SetText(std::string_view text);
  void SetHotkey(TShortCut code);
  void SetHotkeyFailed(bool failed) { hotkeyFailed_ = failed; }

  // Brings the view up to date: text with red tags, hotkey controls, problem label, OK.
  void Attach(TemplateEditorView* view);

  // ---- what the user does
  void NameChanged(std::string_view name);
  // The whole rich text after a change of the editor.
  void TextChanged(std::string_view richText);
  // A tag button or menu entry over the selection [start, start + length) of the rich text.
  void InsertTag(std::string_view tag, std::size_t start, std::size_t length);
  void BoxToggled(bool ticked);
  void HotkeyChanged(std::string_view text);
  void HotkeyLeft();

  // ---- results, read after OK
  const std::string& Name() const { return name_; }
  std::string Text() const;  // CR LF line breaks
  TShortCut Hotkey() const { return boxTicked_ ? hotkey_.Code() : 0; }
  bool OkEnabled() const;
  const std::string& RichText() const { return richText_; }

private:
  void Highlight();
  void ShowHotkeyState();
  void RefreshOk();

  TemplateEditorView* view_ = nullptr;
  std::string name_;
  std::string richText_;  // each line break one CR
  HotkeyField hotkey_;
  bool boxTicked_ = false;
  bool hotkeyFailed_ = false;
  bool highlighting_ = false;
};

}  // namespace bw
