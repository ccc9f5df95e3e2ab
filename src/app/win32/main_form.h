// TfrmNavision: the main window. It is the management window (shown on demand, hidden to the
// tray), the receiver of hotkeys and registered messages, and the owner of the settings, the
// tray icon, the watcher and the application core.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "app/app_core.h"
#include "app/win32/coding_watcher.h"
#include "app/win32/completion_host.h"
#include "app/win32/editor_commands.h"
#include "app/win32/registered_messages.h"
#include "app/win32/shared_images.h"
#include "app/win32/tray_icon.h"
#include "app/win32/tray_menu_view.h"
#include "app/win32/win32_services.h"
#include "platform/win32/win32_environment.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_key_names.h"
#include "platform/win32/win32_messages.h"
#include "platform/win32/win32_registry.h"
#include "settings/config_file.h"
#include "ui/win32/frm_hotkey_selection.h"
#include "ui/win32/unique_resource.h"

namespace bw::win32 {

class MainForm final : public MainWindow {
public:
  // Creates the window and its components and runs the start-up sequence.
  explicit MainForm(HINSTANCE instance);
  MainForm(const MainForm&) = delete;
  MainForm& operator=(const MainForm&) = delete;
  // Saves, unregisters every hotkey and stops the watcher; then the components go.
  ~MainForm() override;

  HWND Handle() const { return window_.Get(); }
  const RegisteredMessages& Messages() const { return registered_; }

  // The "is running..." balloon, with the icon added again first.
  void NotifyRunning();
  // Keyboard preview for the management window: Escape hides it, F1 shows context help.
  bool PreviewKey(const MSG& message);
  void HideToTray();

  // MainWindow
  void ShowManagementWindow(int page) override;
  void HideManagementWindow() override { HideToTray(); }
  void ProcessPendingMessages() override;
  void ShowPreferences() override {}
  void ShowAbout() override {}
  void ResetVariables() override;
  void Terminate() override { PostQuitMessage(0); }

private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void CreateComponents();
  void AppStart();
  void Save();
  void OnTrayNotify(LPARAM mouseMessage);
  void OnMenuCommand(int id);
  void ShowAtomBalloon(LPARAM atom);
  int ActivePage() const;
  void SetActivePage(int page);

  HINSTANCE instance_;
  std::string programPath_;

  // Platform services, alive for the whole run.
  platform::Win32Environment environment_;
  platform::Win32Registry registry_;
  platform::Win32FileSystem files_;
  platform::Win32Messages messageBoxes_;
  platform::Win32KeyNames keyNames_;
  Win32HotkeyRegistrar registrar_;
  Win32Shell shell_;
  Win32Screen screen_;
  Win32EditorCommands editor_{messageBoxes_};
  ui::TfrmHotkeySelection picker_;  // "Select Item to Activate..."
  SettingsPlatform settingsPlatform_;
  ConfigFile configFile_;
  LoadedSettings settings_;

  RegisteredMessages registered_;
  ui::UniqueWindow window_;
  HWND pages_ = nullptr;  // the page control, a child of window_
  ui::UniqueIcon programIcon_;
  std::unique_ptr<SharedImages> images_;
  std::unique_ptr<TrayMenuView> menu_;
  std::string versionText_;
  std::unique_ptr<TrayIcon> tray_;
  std::unique_ptr<CodingWatcher> watcher_;
  std::unique_ptr<AppCore> core_;
  std::unique_ptr<CompletionHost> completion_;
  bool menuOpen_ = false;
  bool shutDown_ = false;
};

}  // namespace bw::win32
