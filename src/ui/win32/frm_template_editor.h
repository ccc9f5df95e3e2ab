// TfrmComment: the template editor dialog, a view over TemplateEditorForm.
#pragma once

#include <windows.h>

#include <functional>

#include "ui/item_lists.h"
#include "platform/key_names.h"

namespace bw::ui {

// Control ids of the dialog (tests find the controls by them).
inline constexpr int kTemplateEditorToolbar = 100;
inline constexpr int kTemplateEditorName = 102;
inline constexpr int kTemplateEditorText = 104;
inline constexpr int kTemplateEditorUseHotkey = 105;
inline constexpr int kTemplateEditorHotkey = 107;
inline constexpr int kTemplateEditorProblem = 108;
// Tag button i of kTagButtons sends this id plus i.
inline constexpr int kTemplateEditorTagCommand = 200;

class Win32TemplateEditor final : public TemplateEditor {
public:
  // `showHelp` receives the help number on F1.
  Win32TemplateEditor(platform::KeyNames& keys, std::function<void(int)> showHelp)
      : keys_(keys), showHelp_(std::move(showHelp)) {}
  void SetOwner(HWND owner) { owner_ = owner; }
  bool Edit(TemplateEditorState& state) override;

private:
  platform::KeyNames& keys_;
  std::function<void(int)> showHelp_;
  HWND owner_ = nullptr;
};

}  // namespace bw::ui
