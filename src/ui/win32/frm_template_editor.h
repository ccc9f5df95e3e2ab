// TfrmComment: the template editor dialog, a view over TemplateEditorForm.
#pragma once

#include <windows.h>

#include <functional>

#include "app/item_lists.h"
#include "platform/key_names.h"

namespace bw::ui {

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
