// TfrmCodeCompleter: the completion list, a thin view over the completion logic. It never takes
// the keyboard focus or the activation from the editor: the list is steered by the keys the
// watcher reports. It is a pop-up owned by the editor's top-level window that follows the
// editor when it moves and goes with it: a child window of another process's window would
// move by itself, but is not drawn at all under Wine.
#pragma once

#include <windows.h>

#include <vector>

#include "editor/code_completion.h"
#include "platform/win32/unique_resource.h"

namespace bw::win32 {

class TfrmCodeCompleter final : public CompletionView {
public:
  // `images`: the shared image list (kept, not owned).
  TfrmCodeCompleter(HINSTANCE instance, HIMAGELIST images);
  ~TfrmCodeCompleter() override;
  TfrmCodeCompleter(const TfrmCodeCompleter&) = delete;
  TfrmCodeCompleter& operator=(const TfrmCodeCompleter&) = delete;

  // The logic that hears of clicks and of the window going away with its editor.
  void SetController(CodeCompletion* controller) { controller_ = controller; }

  int Height(int dpi) override;
  bool Create(platform::WindowId editor, int x, int y, int dpi) override;
  void ShowRows(std::span<const CompletionEntry> rows, std::optional<std::size_t> selected) override;
  void Select(std::size_t row) override;
  void Show() override;
  void Destroy() override;

  HWND Handle() const { return window_.Get(); }
  HWND List() const { return list_; }

private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK ListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                   DWORD_PTR data);
  LRESULT OnNotify(const NMHDR& header);
  int RowAt(LPARAM point) const;
  // The list's font at the monitor's DPI (kept while the DPI stays).
  void UseFontFor(int dpi);
  // Keeps the window at its place in the editor; closes it when the editor is gone or hidden.
  void FollowEditor();

  HINSTANCE instance_;
  HIMAGELIST images_;
  platform::UniqueFont font_;
  int fontDpi_ = 0;
  CodeCompletion* controller_ = nullptr;
  platform::UniqueWindow window_;
  HWND list_ = nullptr;
  bool destroying_ = false;
  HWND editor_ = nullptr;
  POINT offset_{};  // the window's place in the editor's client coordinates
  std::vector<CompletionEntry> rows_;
};

}  // namespace bw::win32
