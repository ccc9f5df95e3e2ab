// Code completion in the tray program: the completion logic over the Windows desktop, the list
// window, and the worker that types a chosen word. The watcher hands it every key event.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "program/frm_code_completer.h"
#include "program/program_platform.h"
#include "editor/code_completion.h"

namespace bw::win32 {

class CompletionHost {
public:
  // `switches`: read at each key, so that a change of the preferences counts at once.
  CompletionHost(HINSTANCE instance, HIMAGELIST images, ProgramPlatform& platform,
                 std::function<CompletionSwitches()> switches);
  CompletionHost(const CompletionHost&) = delete;
  CompletionHost& operator=(const CompletionHost&) = delete;
  ~CompletionHost();

  // One key event from the watcher; true when the key is to be swallowed.
  bool OnKey(WPARAM virtualKey, LPARAM flags);

  // The classes whose keys can concern completion, for the watcher (line feeds between names).
  static std::string WatchedClasses();

private:
  platform::Desktop& desktop_;
  platform::Clock& clock_;
  platform::Keyboard& keyboard_;
  platform::KeyTranslation& keys_;
  platform::UserInput& input_;
  TfrmCodeCompleter view_;
  InsertThreadInserter inserter_;
  std::unique_ptr<CodeCompletion> completion_;
};

}  // namespace bw::win32
