// The hotkey message handler of the main window.
#include <exception>

#include "app/app_core.h"
#include "base/app_texts.h"
#include "app/hotkey_ids.h"
#include "app/hotkey_items.h"
#include "app/scoped_flag.h"
#include "launch/plugin_start.h"

namespace bw {

namespace {

// Keeps the key watcher paused while a hotkey command runs. Messages pumped inside a command may
// run a further hotkey; the watcher resumes only when the outermost command has ended.
class WatcherPause {
public:
  WatcherPause(KeyWatcher& watcher, int& depth) : watcher_(watcher), depth_(depth) {
    watcher_.Stop(WatchKind::Keys);
    ++depth_;
  }
  WatcherPause(const WatcherPause&) = delete;
  WatcherPause& operator=(const WatcherPause&) = delete;
  ~WatcherPause() {
    if (--depth_ == 0) watcher_.Start(WatchKind::Keys);
  }

private:
  KeyWatcher& watcher_;
  int& depth_;
};

class Attachment {
public:
  explicit Attachment(EditorCommands& editor) : editor_(editor) { editor_.AttachToForeground(); }
  Attachment(const Attachment&) = delete;
  Attachment& operator=(const Attachment&) = delete;
  ~Attachment() { editor_.Detach(); }

private:
  EditorCommands& editor_;
};

}  // namespace

void AppCore::OnHotkeyMessage(std::uintptr_t wParam, std::intptr_t lParam) {
  const auto bits = static_cast<std::uintptr_t>(lParam);
  OnHotkey(static_cast<int>(wParam & 0xFFFF), static_cast<unsigned>(bits & 0xFFFF),
           static_cast<unsigned>((bits >> 16) & 0xFFFF));
}

void AppCore::OnHotkey(int id, unsigned modifiers, unsigned virtualKey) {
  // While one of the program's dialogs is open (opened from the tray menu or by a command under
  // way) no other opens over it and nothing is typed: the press brings the dialog to the front.
  // The toggle still works, as it opens nothing.
  if (id != kToggleHotkeysId && services_.window.BringOpenDialogToFront()) return;
  // Typing, its pauses and its questions let messages run, so a press can arrive while a
  // command is under way. It is dropped: two commands would type into each other's text.
  if (commandRunning_) return;
  services_.window.HideManagementWindow();
  WatcherPause pause(services_.watcher, hotkeyDepth_);
  try {
    services_.window.ProcessPendingMessages();
    services_.tray.AddAgain();
    ScopedFlag running(commandRunning_);
    RunHotkeyCommand(id, modifiers, virtualKey);
  } catch (const std::exception& error) {
    // The handler runs inside the window procedure: nothing may leave it.
    services_.messages.Show(platform::MessageKind::Error, error.what());
  }
}

bool AppCore::ForegroundReachable() {
  const std::uint32_t process = services_.editor.ForegroundOutOfReach();
  if (process == 0) return true;
  // Said once per client process, not at every press.
  if (process != warnedElevated_) {
    warnedElevated_ = process;
    // With balloons hidden the key would fail without a sign: the notice is a message box then.
    if (BalloonsSeen(services_.tray.Notifications()))
      services_.tray.ShowBalloon(MakeBalloon(kAppTitle, kClientElevated, kNotifyBalloonSeconds));
    else
      services_.messages.Show(platform::MessageKind::Warning, kClientElevated);
  }
  return false;
}

void AppCore::RunHotkeyCommand(int id, unsigned modifiers, unsigned virtualKey) {
  EditorCommands& editor = services_.editor;
  switch (id) {
    case kInsertCredentialsId:
    case kInsertTemplateId:
    case kIndentId:
    case kUnindentId:
    case kCommentId:
    case kUncommentId:
    case kRepeatTemplateId:
      if (!ForegroundReachable()) return;
      break;
    default: break;
  }
  switch (id) {
    case kOpenBrackwaterId: services_.window.ShowManagementWindow(ManagementPage::Configurations); break;
    case kInsertCredentialsId:
      if (!credentialsText_.empty()) editor.InsertFocusedText(credentialsText_);
      break;
    case kInsertTemplateId: editor.OpenInsertTemplate(); break;
    case kToggleHotkeysId: ToggleHotkeys(); break;
    case kIndentId: editor.BlockCommand(BlockOperation::Indent); break;
    case kUnindentId: editor.BlockCommand(BlockOperation::Unindent); break;
    case kCommentId: editor.BlockCommand(BlockOperation::Comment); break;
    case kUncommentId: editor.BlockCommand(BlockOperation::Uncomment); break;
    case kRepeatTemplateId:
      if (!lastTemplateText_.empty()) editor.InsertFocusedText(lastTemplateText_);
      break;
    default: ActivateHotkeyItems(virtualKey, modifiers); break;
  }
}

void AppCore::ActivateHotkeyItems(unsigned virtualKey, unsigned modifiers) {
  Attachment attachment(services_.editor);
  shortcuts_.Sync(ConfigsFolder(root_), services_.keys);
  const auto items = ItemsForKey(root_, shortcuts_, virtualKey, modifiers);
  if (items.empty()) return;
  if (items.size() == 1) {
    ActivateItem(items.front(), false);
    return;
  }
  const auto chosen = services_.picker.Choose(items);
  if (chosen && *chosen < items.size()) ActivateItem(items[*chosen], true);
}

void AppCore::ActivateItem(const HotkeyItem& item, bool confirmed) {
  switch (item.kind) {
    case ItemKind::Template:
      if (!ForegroundReachable()) return;
      services_.editor.InsertTemplateText(static_cast<const TCommentStorage*>(item.record)->Comment, confirmed);
      break;
    case ItemKind::Configuration:
      StartConfiguration(*static_cast<const TConfigStorage*>(item.record));
      break;
    case ItemKind::Plugin:
      StartPlugin(*static_cast<const TPluginStorage*>(item.record), services_.shell);
      break;
  }
}

}  // namespace bw
