#include "program/main_form.h"

#include <commctrl.h>

#include <algorithm>
#include <array>

#include "base/app_texts.h"
#include "base/path_parts.h"
#include "app/help_texts.h"
#include "editor/typing_pace.h"
#include "editor/variable_list.h"
#include "settings/protected_password.h"
#include "ui/win32/dpi.h"
#include "program/version_info.h"
#include "program/window_commands.h"
#include "platform/win32/win32_resources.h"
#include "ui/win32/frm_variables.h"
#include "ui/win32/modal_dialog.h"

namespace bw::win32 {
namespace {

constexpr UINT_PTR kIconTimer = 1;
constexpr UINT kIconTimerMs = 60000;
constexpr int kWidth = 520;
constexpr int kHeight = 372;
constexpr std::array<const char*, 3> kPageCaptions{"Navision", "Templates", "Plug-Ins"};

}  // namespace

MainForm::MainForm(HINSTANCE instance, ProgramPlatform& platform)
    : instance_(instance),
      platform_(platform),
      programPath_(environment_.ProgramPath()),
      settingsPlatform_{environment_, registry_, files_, messageBoxes_, keyNames_},
      configFile_(settingsPlatform_) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = &MainForm::WindowProc;
  windowClass.hInstance = instance_;
  windowClass.hIcon = LoadIconA(instance_, MAKEINTRESOURCEA(kProgramIconResource));
  windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  windowClass.lpszClassName = kMainWindowClass;
  RegisterClassExA(&windowClass);

  window_.Reset(CreateWindowExA(WS_EX_CONTROLPARENT, kMainWindowClass, std::string(kAppTitle).c_str(),
                                WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, 0, 0, kWidth, kHeight,
                                nullptr, nullptr, instance_, this));
  // 520 by 372 at 96 DPI, at the DPI of the primary monitor it opens on, in the screen's middle.
  dpi_ = WindowDpi(window_.Get());
  const int width = Scale(kWidth, dpi_), height = Scale(kHeight, dpi_);
  SetWindowPos(window_.Get(), nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  registrar_ = std::make_unique<platform::Win32HotkeyRegistrar>(window_.Get());
  CreateComponents();
  AppStart();
}

MainForm::~MainForm() {
  // AppDestroy: the last save point, then every hotkey and the watcher go.
  Save();
  if (core_) core_->Shutdown();
  if (watcher_) watcher_->Stop(WatchKind::Keys);
  completion_.reset();  // waits for a word still being typed
  platform::Win32UserInput::SetInputSwallower({});
  platform::Win32UserInput::SetStopQuery({});
  shutDown_ = true;
}

void MainForm::CreateComponents() {
  const int dpi = WindowDpi(window_.Get());
  const int small = Scale(16, dpi);
  programIcon_.Reset(static_cast<HICON>(
      LoadImageA(instance_, MAKEINTRESOURCEA(kProgramIconResource), IMAGE_ICON, small, small, LR_DEFAULTCOLOR)));
  images_ = std::make_unique<SharedImages>(instance_, small);
  picker_.SetImages(images_->Get());
  menu_ = std::make_unique<TrayMenuView>(*images_);
  versionText_ = ShortVersionText(ReadVersionInfo(programPath_));

  RECT client{};
  GetClientRect(window_.Get(), &client);
  pages_ = CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP, 0, 0,
                           client.right, client.bottom, window_.Get(),
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(kPagesId)), instance_, nullptr);
  SendMessageA(pages_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  for (std::size_t i = 0; i < kPageCaptions.size(); ++i) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(kPageCaptions[i]);
    SendMessageA(pages_, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
  }
  SetWindowContextHelpId(pages_, 1);
  CreateManagementControls();

  tray_ = std::make_unique<TrayIcon>(window_.Get(), kTrayNotifyMessage, programIcon_.Get());
  focusTip_ = std::make_unique<FocusTip>(window_.Get());
  tray_->SetHint(TrayHint(true));
  tray_->Show();
  completion_ = std::make_unique<CompletionHost>(instance_, images_->Get(), platform_, [this] {
    if (!settings_.root) return CompletionSwitches{false, false};
    const TBrackwaterStorage& general = General(*settings_.root);
    return CompletionSwitches{general.ActivateViaDOT, general.ActivateViaCTRLSpace, PaceOf(general)};
  });
  watcher_ = std::make_unique<CodingWatcher>(
      instance_, std::string(FolderPart(programPath_)), messageBoxes_,
      [this](WPARAM key, LPARAM flags) { return completion_ && completion_->OnKey(key, flags); },
      CompletionHost::WatchedClasses());
  // When the system refuses to block input, the watcher keeps the user's keys and clicks away.
  platform::Win32UserInput::SetInputSwallower(
      [watcher = watcher_.get()](bool swallow) { return watcher->SwallowPhysicalInput(swallow); });
  platform::Win32UserInput::SetStopQuery([watcher = watcher_.get()] { return watcher->PhysicalStopRequested(); });
  SetTimer(window_.Get(), kIconTimer, kIconTimerMs, nullptr);
}

void MainForm::AppStart() {
  settings_ = configFile_.Load();
  TBrackwaterStorage& general = General(*settings_.root);
  SetWindowTextA(window_.Get(), std::string(kAppTitle).c_str());
  SetReservedVariables(general);

  core_ = std::make_unique<AppCore>(*settings_.root, AppServices{*this, *tray_, *watcher_, editor_, picker_, *registrar_,
                                                                 messageBoxes_, keyNames_, shell_, screen_});
  editor_.Connect(*core_, window_.Get());
  core_->SetHelpTexts(LoadHelpTexts(resources_));
  core_->SetSecretProtection(protection_);
  core_->Start();
  core_->WarnUnreadablePasswords();
  CreateConfigTree();
  watcher_->Start(WatchKind::Keys);
  SetActivePage(ManagementPage::Configurations);
}

void MainForm::Save() {
  if (!settings_.root) return;
  // Passwords take the form the preference asks for: protected while it is on, in clear otherwise.
  PreparePasswordsForSave(*settings_.root, General(*settings_.root).ProtectPasswords, protection_);
  configFile_.Save(*settings_.root, settings_.autoStart);
}

void MainForm::ResetVariables() {
  if (BringOpenDialogToFront()) return;  // a second copy would write its stale list over the first
  if (settings_.root) ui::ResetVariablesDialog(window_.Get(), General(*settings_.root).VarList, messageBoxes_);
}

void MainForm::OnNotify(WPARAM wParam, LPARAM lParam) {
  std::optional<std::string> atomName;
  if (wParam == 1) {
    char name[256] = {};
    const UINT length = GlobalGetAtomNameA(static_cast<ATOM>(lParam), name, sizeof name);
    if (length > 0) atomName.emplace(name, length);
  }
  if (core_) {
    core_->OnNotifyMessage(static_cast<std::uintptr_t>(wParam), atomName);
  } else if (wParam != 1) {
    // A message box of the start-up is open and the core is not there yet.
    tray_->Show();
    tray_->ShowBalloonText(kAppTitle, kIsRunning, kNotifyBalloonSeconds);
  }
}

void MainForm::OnDpiChanged(int dpi, const RECT& suggested) {
  // Dragged to a monitor of another scale: the list columns keep their share of the window,
  // and the window takes the size Windows suggests for the new DPI.
  if (dpi <= 0 || dpi == dpi_) return;
  for (const HWND view : {templateControl_ ? templateControl_->Handle() : nullptr,
                          pluginControl_ ? pluginControl_->Handle() : nullptr}) {
    if (view == nullptr) continue;
    for (int column = 0; column < 2; ++column) {
      const auto width = static_cast<int>(SendMessageA(view, LVM_GETCOLUMNWIDTH, column, 0));
      if (width > 0) SendMessageA(view, LVM_SETCOLUMNWIDTH, column, MAKELPARAM(MulDiv(width, dpi, dpi_), 0));
    }
  }
  dpi_ = dpi;
  SetWindowPos(window_.Get(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

bool MainForm::BringOpenDialogToFront() { return ui::ModalDialog::BringOpenDialogToFront(); }

void MainForm::ShowTipAtFocus(const Balloon& tip) {
  if (focusTip_) focusTip_->Show(tip);
}

ManagementPage MainForm::ActivePage() const {
  return static_cast<ManagementPage>(SendMessageA(pages_, TCM_GETCURSEL, 0, 0));
}

void MainForm::SetActivePage(ManagementPage page) {
  SendMessageA(pages_, TCM_SETCURSEL, static_cast<WPARAM>(page), 0);
  OnPageChanged();
}

void MainForm::ShowManagementWindow(ManagementPage page) {
  SetActivePage(page);
  ShowWindow(window_.Get(), SW_SHOW);
  SetForegroundWindow(window_.Get());
  if (page == ManagementPage::Configurations) SetFocus(treeControl_->Handle());
}

void MainForm::HideToTray() {
  if (!IsWindowVisible(window_.Get())) return;
  EndDrag(false, {});
  ShowWindow(window_.Get(), SW_HIDE);
  Save();  // AppHide: every change made in the window reaches the file here
}

void MainForm::ProcessPendingMessages() {
  MSG message;
  // Bounded: a flood of messages cannot keep a command from running.
  for (int i = 0; i < 10000 && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE); ++i) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));  // the main loop still has to see it
      break;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

bool MainForm::PreviewKey(const MSG& message) {
  if (message.message != WM_KEYDOWN) return false;
  if (message.hwnd != window_.Get() && !IsChild(window_.Get(), message.hwnd)) return false;
  if (message.wParam == VK_ESCAPE) {
    HideToTray();
    return true;
  }
  if (message.wParam == VK_F1) {
    // The focused control's help number, else the nearest parent's; the window's own is page + 1.
    DWORD number = 0;
    for (HWND window = message.hwnd; window != nullptr && number == 0; window = GetParent(window)) {
      number = GetWindowContextHelpId(window);
      if (window == window_.Get()) break;
    }
    core_->ShowContextHelp(static_cast<int>(number));
    return true;
  }
  return EditShortcut(message);
}

void MainForm::OnTrayNotify(LPARAM mouseMessage) {
  // While one of the program's dialogs is open, the icon brings it to the front instead.
  if ((mouseMessage == WM_LBUTTONDBLCLK || mouseMessage == WM_RBUTTONUP || mouseMessage == WM_CONTEXTMENU) &&
      BringOpenDialogToFront())
    return;
  if (mouseMessage == WM_LBUTTONDBLCLK) {
    ShowManagementWindow(ManagementPage::Configurations);  // the default entry
  } else if ((mouseMessage == WM_RBUTTONUP || mouseMessage == WM_CONTEXTMENU) && !menuOpen_) {
    // Built when it opens, so it always shows the settings and the hotkey state of this moment.
    menu_->Render(core_->BuildMenu(versionText_), WindowDpi(window_.Get()));
    menuOpen_ = true;
    menu_->Track(window_.Get());
    menuOpen_ = false;
  }
}

void MainForm::OnMenuCommand(int id) {
  switch (id) {
    case kPreferencesCommand: ShowPreferences(); return;
    case kAboutCommand: ShowAbout(); return;
    case kCheckVersionCommand: CheckForNewVersion(); return;
    case kMinimizeCommand: HideToTray(); return;
    case kExitCommand: core_->ExitBrackwater(); return;
    case kImportTemplateCommand: ImportTemplateFileCommand(); return;
    case kExportTemplateCommand: ExportTemplateFileCommand(); return;
    default: break;
  }
  if (RunEditCommand(id)) return;
  const TrayMenuEntry* found = FindMenuEntry(menu_->Model(), id);
  if (found == nullptr) return;
  // A copy: the command may open a dialog during which the menu is built again.
  const TrayMenuEntry entry = *found;
  core_->RunMenuCommand(entry);
}

LRESULT CALLBACK MainForm::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<MainForm*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self == nullptr || self->shutDown_ || self->window_.Get() != window)
    return DefWindowProcA(window, message, wParam, lParam);
  return self->OnMessage(message, wParam, lParam);
}

LRESULT MainForm::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND window = window_.Get();
  if (message == registered_.taskbarCreated) {
    tray_->Reinstall();
    return 0;
  }
  // Handled here only: a broadcast reaches every top-level window of the program, but the
  // balloon is shown once, for the copy that reaches this window, whichever loop dispatches it.
  if (message == registered_.notify) {
    OnNotify(wParam, lParam);
    return 0;
  }
  switch (message) {
    case kTrayNotifyMessage:
      if (core_) OnTrayNotify(lParam);
      return 0;
    case WM_TIMER:
      if (wParam == kIconTimer) tray_->Show();  // InjectIcon: the shell may have lost it
      if (wParam == FocusTip::TimerId() && focusTip_) focusTip_->OnTimer();
      return 0;
    case WM_HOTKEY:
      if (core_) core_->OnHotkeyMessage(static_cast<std::uintptr_t>(wParam), static_cast<std::intptr_t>(lParam));
      return 0;
    case WM_COMMAND:
      // Menus and accelerators send no window; tool buttons send the tool bar's.
      if (HIWORD(wParam) == 0 && (lParam == 0 || reinterpret_cast<HWND>(lParam) == toolbar_) && core_)
        OnMenuCommand(LOWORD(wParam));
      return 0;
    case WM_MEASUREITEM: {
      auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      return item->CtlType == ODT_MENU && menu_->Measure(*item) ? TRUE : FALSE;
    }
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      return item->CtlType == ODT_MENU && menu_->Draw(*item) ? TRUE : FALSE;
    }
    case WM_MENUCHAR:
      return menu_->MenuChar(static_cast<char>(LOWORD(wParam)), reinterpret_cast<HMENU>(lParam));
    case WM_HELP: {
      const auto* info = reinterpret_cast<const HELPINFO*>(lParam);
      if (core_ && info != nullptr) core_->ShowContextHelp(static_cast<int>(info->dwContextId));
      return TRUE;
    }
    case WM_SETCURSOR:
      // The hourglass stays while a template or a completion word is typed.
      if (platform::Win32UserInput::BusyCursorShown()) {
        SetCursor(LoadCursorA(nullptr, IDC_WAIT));
        return TRUE;
      }
      return DefWindowProcA(window, message, wParam, lParam);
    case WM_SIZE:
      Layout();
      return 0;
    case kDpiChangedMessage:
      OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_LBUTTONUP:
      EndDrag(true, {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
      return 0;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != window_.Get()) EndDrag(false, {});
      return 0;
    case WM_CLOSE:
      HideToTray();  // FormClose: closing never ends the program
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      if (wParam == TRUE) {
        Save();
        Terminate();
      }
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace bw::win32
