// Modal dialogs built in code: an in-memory template without controls and with the dialog
// font; the dialog makes its controls when it starts, sized at 96 dots per inch and scaled to
// the monitor it is on. The system's dialog manager runs the modal loop (Tab, Enter as the
// default button, Escape as Cancel).
#pragma once

#include <windows.h>

#include <string>

#include "ui/win32/dpi.h"

namespace bw::ui {

// One of the program's dialogs at a time: while one is open, a request for another (from the
// tray menu or a hotkey) brings the open one to the front instead. A dialog may still open its
// own sub-dialogs. When a dialog closes, the window that was in front when it opened gets the
// foreground back.
class ModalDialog {
public:
  // The dialog open now (the innermost one; else a message box of this thread), or nullptr.
  static HWND OpenDialog();
  // Brings the open dialog to the front; false when none is open.
  static bool BringOpenDialogToFront();

  ModalDialog() = default;
  ModalDialog(const ModalDialog&) = delete;
  ModalDialog& operator=(const ModalDialog&) = delete;
  virtual ~ModalDialog() = default;

protected:
  // Shows the dialog until it ends; the result given to End, or -1 when it could not be made
  // or another dialog of the program is open (which is brought to the front instead).
  INT_PTR Run(HWND owner, DWORD style, DWORD exStyle, const std::string& caption);
  void End(INT_PTR result) { EndDialog(handle_, result); }

  HWND Handle() const { return handle_; }
  HWND Item(int id) const { return GetDlgItem(handle_, id); }
  // A length given at 96 dots per inch, at the dialog's resolution.
  int Scale(int pixelsAt96) const { return MulDiv(pixelsAt96, dpi_, 96); }
  // A child control in the dialog font; position and size at 96 dots per inch.
  HWND AddControl(const char* className, const char* text, DWORD style, DWORD exStyle, int id, int left, int top,
                  int width, int height);
  // Gives the dialog a client area of this size (at 96 dots per inch), keeping its frame.
  void SetClientSize(int width, int height);
  // Centres the dialog on the work area of its monitor.
  void CentreOnScreen();
  // Centres the dialog on `owner`, or on the screen while the owner is missing or hidden.
  void CentreOn(HWND owner);
  // Puts the dialog above the other programs' windows, as the user is meant to answer it now.
  void ComeToFront();

  // WM_INITDIALOG: make the controls. True lets the dialog manager focus the first control.
  virtual bool OnInit() = 0;
  // Every other message; true when handled. Notifications set their result with SetResult.
  virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
  void SetResult(LONG_PTR result) { SetWindowLongPtrA(handle_, DWLP_MSGRESULT, result); }
  // WM_CTLCOLOR... of a control: the brush for its background after setting the colours on
  // `dc`, or null for the system's colours.
  virtual HBRUSH OnControlColour(UINT /*message*/, HDC /*dc*/, HWND /*control*/) { return nullptr; }
  // The dialog moved to a monitor of another DPI; Scale already gives lengths at the new one.
  // The system's dialog manager then sizes the dialog, moves its controls and gives those in the
  // dialog font the new one (the WM_SIZE that follows lays a resizable dialog out again); a
  // dialog recomputes here what it measured from the DPI when it started.
  virtual void OnDpiChanged() {}

private:
  static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND handle_ = nullptr;
  int dpi_ = 96;
};

using win32::WindowDpi;

// The text of a window or control.
std::string WindowText(HWND window);

// The help number F1 shows for `control` in `dialog`: the context help number of the control or
// of its nearest parent that has one, else the dialog's (0 when it has none either).
int ContextHelpAt(HWND control, HWND dialog);

}  // namespace bw::ui
