// TfrmNavision: the main window. It is the management window (shown on demand, hidden to the
// tray), the receiver of hotkeys and registered messages, and the owner of the settings, the
// tray icon, the watcher and the application core.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "app/app_core.h"
#include "app/config_tree.h"
#include "program/config_dialog_window.h"
#include "program/config_tree_control.h"
#include "program/item_list_controls.h"
#include "ui/item_lists.h"
#include "app/template_files.h"
#include "program/coding_watcher.h"
#include "program/completion_host.h"
#include "program/editor_commands.h"
#include "program/registered_messages.h"
#include "program/shared_images.h"
#include "program/tray_icon.h"
#include "program/tray_menu_view.h"
#include "program/focus_tip.h"
#include "platform/win32/win32_environment.h"
#include "platform/win32/win32_file_dialogs.h"
#include "platform/win32/win32_file_listing.h"
#include "platform/win32/win32_service_ports.h"
#include "platform/win32/win32_file_system.h"
#include "program/program_platform.h"
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
#include "platform/win32/unique_resource.h"

namespace bw::win32 {

class MainForm final : public MainWindow {
public:
  // Creates the window and its components and runs the start-up sequence. `platform` outlives
  // the form.
  MainForm(HINSTANCE instance, ProgramPlatform& platform);
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
  void ShowManagementWindow(ManagementPage page) override;
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
  void ShowTipAtFocus(const Balloon& tip) override;

private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void CreateComponents();
  void AppStart();
  void Save();
  void OnTrayNotify(LPARAM mouseMessage);
  void OnMenuCommand(int id);
  void OnNotify(WPARAM wParam, LPARAM lParam);
  ManagementPage ActivePage() const;
  void SetActivePage(ManagementPage page);

  // The management window's menu, tool bar, status bar and configuration tree.
  void CreateManagementControls();
  void CreateConfigTree();
  // The Templates and Plug-Ins pages' lists, with their list views.
  void CreateItemLists();
  bool RunListCommand(ManagementPage page, int id);
  bool OnListNotify(const NMHDR& header);
  void Layout();
  // WM_DPICHANGED: the window moved to a monitor of another DPI.
  void OnDpiChanged(int dpi, const RECT& suggested);
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
  // Platform services, built at the program's start and alive for the whole run.
  ProgramPlatform& platform_;
  platform::Environment& environment_ = platform_.environment;
  platform::Registry& registry_ = platform_.registry;
  platform::FileSystem& files_ = platform_.files;
  platform::Messages& messageBoxes_ = platform_.messages;
  platform::KeyNames& keyNames_ = platform_.keyNames;
  platform::Shell& shell_ = platform_.shell;
  platform::Screen& screen_ = platform_.screen;
  platform::FileListing& fileListing_ = platform_.fileListing;
  platform::FileDialogs& fileDialogs_ = platform_.fileDialogs;
  platform::ServicePorts& servicePorts_ = platform_.servicePorts;
  platform::Resources& resources_ = platform_.resources;
  std::string programPath_;

  platform::SecretProtection& protection_ = platform_.protection;
  Win32EditorCommands editor_{platform_};
  ui::TfrmHotkeySelection picker_;  // "Select Item to Activate..."
  SettingsPlatform settingsPlatform_;
  ConfigFile configFile_;
  LoadedSettings settings_;

  RegisteredMessages registered_;
  platform::UniqueWindow window_;
  std::unique_ptr<platform::Win32HotkeyRegistrar> registrar_;  // for window_, once it exists
  HWND pages_ = nullptr;  // the page control, a child of window_
  platform::UniqueIcon programIcon_;
  std::unique_ptr<SharedImages> images_;
  std::unique_ptr<TrayMenuView> menu_;
  std::string versionText_;
  std::unique_ptr<TrayIcon> tray_;
  std::unique_ptr<FocusTip> focusTip_;
  std::unique_ptr<CodingWatcher> watcher_;
  std::unique_ptr<AppCore> core_;
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
  int dpi_ = 96;  // of the monitor the management window is on
};

}  // namespace bw::win32
