// TfrmNavision: the main window. It is the management window (shown on demand, hidden to the
// tray), the receiver of hotkeys and registered messages, and the owner of the settings, the
// tray icon, the watcher and the application core.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "app/app_core.h"
#include "app/config_tree.h"
#include "app/win32/config_dialog_window.h"
#include "app/win32/config_tree_control.h"
#include "app/win32/item_list_controls.h"
#include "app/item_lists.h"
#include "app/template_files.h"
#include "app/win32/coding_watcher.h"
#include "app/win32/completion_host.h"
#include "app/win32/editor_commands.h"
#include "app/win32/registered_messages.h"
#include "app/win32/shared_images.h"
#include "app/win32/tray_icon.h"
#include "app/win32/tray_menu_view.h"
#include "platform/win32/win32_environment.h"
#include "platform/win32/win32_file_dialogs.h"
#include "platform/win32/win32_file_listing.h"
#include "platform/win32/win32_service_ports.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_hotkey_registrar.h"
#include "platform/win32/win32_key_names.h"
#include "platform/win32/win32_messages.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_screen.h"
#include "platform/win32/win32_secret_protection.h"
#include "platform/win32/win32_shell.h"
#include "settings/config_file.h"
#include "ui/win32/frm_hotkey_selection.h"
#include "ui/win32/frm_template_editor.h"
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

  // Keyboard preview for the management window: Escape hides it, F1 shows context help.
  bool PreviewKey(const MSG& message);
  void HideToTray();

  // MainWindow
  void ShowManagementWindow(int page) override;
  void HideManagementWindow() override { HideToTray(); }
  void ProcessPendingMessages() override;
  // The preferences dialog, applied at once when accepted.
  void ShowPreferences() override;
  // The about box, with the release history behind its "What's New" button.
  void ShowAbout() override;
  // The maker's version-check page for this program's version, in the browser.
  void CheckForNewVersion();
  void ResetVariables() override;
  void Terminate() override { PostQuitMessage(0); }
  bool BringOpenDialogToFront() override;

private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void CreateComponents();
  void AppStart();
  void Save();
  void OnTrayNotify(LPARAM mouseMessage);
  void OnMenuCommand(int id);
  void OnNotify(WPARAM wParam, LPARAM lParam);
  int ActivePage() const;
  void SetActivePage(int page);

  // The management window's menu, tool bar, status bar and configuration tree.
  void CreateManagementControls();
  void CreateConfigTree();
  // The Templates and Plug-Ins pages' lists, with their list views.
  void CreateItemLists();
  bool RunListCommand(int page, int id);
  bool OnListNotify(const NMHDR& header);
  void Layout();
  void OnPageChanged();
  void SetCloneEnabled(bool enabled);
  // Add, Modify, Delete, Clone, Move Up and Move Down on the active page.
  bool RunEditCommand(int id);
  LRESULT OnNotify(const NMHDR& header);
  void EndDrag(bool drop, POINT windowPoint);
  // The editing shortcuts of the management window; true when the key ran a command.
  bool EditShortcut(const MSG& message);
  // File > Import Template...: a template file appended to the templates folder.
  void ImportTemplateFileCommand();
  void ExportTemplateFileCommand();
  TemplateFileServices TemplateFiles();

  HINSTANCE instance_;
  std::string programPath_;

  // Platform services, alive for the whole run.
  platform::Win32Environment environment_;
  platform::Win32Registry registry_;
  platform::Win32FileSystem files_;
  platform::Win32Messages messageBoxes_;
  platform::Win32KeyNames keyNames_;
  platform::Win32Shell shell_;
  platform::Win32Screen screen_;
  platform::Win32SecretProtection protection_;
  Win32EditorCommands editor_{messageBoxes_};
  ui::TfrmHotkeySelection picker_;  // "Select Item to Activate..."
  SettingsPlatform settingsPlatform_;
  ConfigFile configFile_;
  LoadedSettings settings_;

  RegisteredMessages registered_;
  ui::UniqueWindow window_;
  std::unique_ptr<platform::Win32HotkeyRegistrar> registrar_;  // for window_, once it exists
  HWND pages_ = nullptr;  // the page control, a child of window_
  ui::UniqueIcon programIcon_;
  std::unique_ptr<SharedImages> images_;
  std::unique_ptr<TrayMenuView> menu_;
  std::string versionText_;
  std::unique_ptr<TrayIcon> tray_;
  std::unique_ptr<CodingWatcher> watcher_;
  std::unique_ptr<AppCore> core_;
  platform::Win32FileListing fileListing_;
  platform::Win32FileDialogs fileDialogs_;
  platform::Win32ServicePorts servicePorts_;
  ZupFolder zupFolder_{files_, fileListing_};
  std::unique_ptr<Win32ConfigDialog> configDialog_;
  std::unique_ptr<ConfigTreeControl> treeControl_;
  std::unique_ptr<ConfigTree> configTree_;
  std::unique_ptr<ui::Win32TemplateEditor> templateEditor_;
  std::unique_ptr<TemplateList> templateList_;
  std::unique_ptr<PluginList> pluginList_;
  std::unique_ptr<TemplateListControl> templateControl_;
  std::unique_ptr<PluginListControl> pluginControl_;
  HWND toolbar_ = nullptr;
  HWND statusBar_ = nullptr;
  HMENU mainMenu_ = nullptr;  // owned by the window
  bool cloneEnabled_ = true;
  bool dragging_ = false;
  std::unique_ptr<CompletionHost> completion_;
  bool menuOpen_ = false;
  bool preferencesOpen_ = false;
  bool aboutOpen_ = false;
  bool shutDown_ = false;
};

}  // namespace bw::win32
