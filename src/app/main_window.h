// The main window as the application core drives it: the management window, the dialogs opened
// from the tray menu and the end of the message loop.
#pragma once

namespace bw {

// The pages of the management window, in the order of its tabs.
enum class ManagementPage { Configurations = 0, Templates = 1, Plugins = 2 };

struct Balloon;

class MainWindow {
public:
  virtual ~MainWindow() = default;
  // Shows the management window on the page and brings the program to the foreground.
  virtual void ShowManagementWindow(ManagementPage page) = 0;
  // Hides the management window; it saves the settings when it was shown.
  virtual void HideManagementWindow() = 0;
  // Lets the messages queued for this thread run.
  virtual void ProcessPendingMessages() = 0;
  virtual void ShowPreferences() = 0;
  virtual void ShowAbout() = 0;
  // The "Reset Variables" dialog on the general record's variable list.
  virtual void ResetVariables() = 0;
  // Ends the message loop; the normal shutdown follows.
  virtual void Terminate() = 0;
  // Brings the program's open dialog to the front; false when none is open.
  virtual bool BringOpenDialogToFront() = 0;
  // Shows a balloon tip at the program's focused control (at the mouse when none has the focus),
  // for as long as the balloon says; the one shown before goes.
  virtual void ShowTipAtFocus(const Balloon& tip) = 0;
};

}  // namespace bw
