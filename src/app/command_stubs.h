// Stand-ins for commands whose real versions live elsewhere, so the tray program can run
// before they are wired in: the editor commands do nothing and the picker chooses nothing.
#pragma once

#include "app/app_host.h"

namespace bw {

class NoEditorCommands final : public EditorCommands {
public:
  void BlockCommand(int) override {}
  void OpenInsertTemplate() override {}
  void InsertFocusedText(const std::string&) override {}
  void AttachToForeground() override {}
  void InsertTemplateText(const std::string&, bool) override {}
  void Detach() override {}
  std::uint32_t ForegroundOutOfReach() override { return 0; }
};

class NoItemPicker final : public ItemPicker {
public:
  std::optional<std::size_t> Choose(std::span<const HotkeyItem>) override { return std::nullopt; }
};

}  // namespace bw
