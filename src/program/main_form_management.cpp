// The management window around its pages: main menu, flat tool bar, status bar, the
// configuration tree with drag and drop, the editing commands and their shortcut keys.
#include <array>
#include <string>

#include "program/main_form.h"
#include "program/window_commands.h"
#include "base/image_index.h"

namespace bw::win32 {
namespace {

constexpr std::string_view kTagline = "Brackwater: hotkeys, templates and client start-up for C/AL developers";

struct Action {
  int id;
  const char* caption;  // menu text, with the shortcut after a tab
  const char* hint;
  int image;
};

constexpr Action kAdd{kAddCommand, "Add...\tIns", "Add Item", kImageAdd};
constexpr Action kModify{kModifyCommand, "Modify...\tEnter", "Modify Item", kImageModify};
constexpr Action kDelete{kDeleteCommand, "Delete\tDel", "Delete Item", kImageDelete};
constexpr Action kClone{kCloneCommand, "Clone\tShift+Ins", "Clone Item", kImageClone};
constexpr Action kMoveUp{kMoveUpCommand, "Move Up\tCtrl+Up", "Move Item Up", kImageMoveUp};
constexpr Action kMoveDown{kMoveDownCommand, "Move Down\tCtrl+Down", "Move Item Down", kImageMoveDown};
constexpr Action kImport{kImportTemplateCommand, "Import Template...", "Import Brackwater Template", kImageImport};
constexpr Action kExport{kExportTemplateCommand, "Export Template...", "Export Brackwater Template", kImageExport};
constexpr Action kMinimize{kMinimizeCommand, "Minimize to Tray", "Minimize Brackwater to Tray", kImageMinimize};
constexpr Action kExit{kExitCommand, "E&xit", "Exit Brackwater\x99 for MBS Navision", kImageExit};
constexpr Action kPreferences{kPreferencesCommand, "&Preferences...", "Brackwater\x99 Preferences", kImagePreferences};
constexpr Action kAbout{kAboutCommand, "&About...", "About Brackwater for Dynamics NAV", kImageAbout};
constexpr Action kCheckVersion{kCheckVersionCommand, "Check for New Version...",
                               "Check for New Version of Brackwater\x99", kImageCheckVersion};

constexpr std::array<const Action*, 13> kActions{&kAdd,    &kModify,   &kDelete,      &kClone,
                                                 &kMoveUp, &kMoveDown, &kImport,      &kExport,
                                                 &kMinimize, &kExit,   &kPreferences, &kAbout,
                                                 &kCheckVersion};

void Append(HMENU menu, const Action& action) { AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(action.id), action.caption); }

// The new menu belongs to `bar` once appended; one that cannot be appended is destroyed.
HMENU Popup(HMENU bar, const char* caption) {
  platform::UniqueMenu popup(CreatePopupMenu());
  if (!popup || !AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup.Get()), caption)) return nullptr;
  return popup.Release();
}

bool KeyDown(int key) { return (GetKeyState(key) & 0x8000) != 0; }

}  // namespace

void MainForm::CreateManagementControls() {
  platform::UniqueMenu bar(CreateMenu());
  mainMenu_ = bar.Get();
  HMENU file = Popup(mainMenu_, "&File");
  Append(file, kImport);
  Append(file, kExport);
  AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
  Append(file, kMinimize);
  Append(file, kExit);
  HMENU edit = Popup(mainMenu_, "&Edit");
  for (const Action* action : {&kAdd, &kModify, &kDelete, &kClone}) Append(edit, *action);
  AppendMenuA(edit, MF_SEPARATOR, 0, nullptr);
  Append(edit, kMoveUp);
  Append(edit, kMoveDown);
  Append(Popup(mainMenu_, "&View"), kPreferences);
  HMENU help = Popup(mainMenu_, "&Help");
  Append(help, kCheckVersion);
  Append(help, kAbout);
  // From here on the window owns the bar.
  if (SetMenu(window_.Get(), mainMenu_)) bar.Release();
  else mainMenu_ = nullptr;

  toolbar_ = CreateWindowExA(0, TOOLBARCLASSNAMEA, "",
                             WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_TOP, 0, 0, 0, 0,
                             window_.Get(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kToolbarId)), instance_, nullptr);
  SendMessageA(toolbar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageA(toolbar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_->Get()));
  std::array<TBBUTTON, 11> buttons{};
  const std::array<const Action*, 11> order{&kAdd,    &kModify,      &kDelete,  &kClone, nullptr, &kMoveUp,
                                            &kMoveDown, nullptr,     &kPreferences, nullptr, &kAbout};
  for (std::size_t i = 0; i < order.size(); ++i) {
    if (order[i] == nullptr) {
      buttons[i].fsStyle = BTNS_SEP;
      continue;
    }
    buttons[i].iBitmap = order[i]->image;
    buttons[i].idCommand = order[i]->id;
    buttons[i].fsState = TBSTATE_ENABLED;
    buttons[i].fsStyle = BTNS_BUTTON;
  }
  SendMessageA(toolbar_, TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
  SendMessageA(toolbar_, TB_AUTOSIZE, 0, 0);

  statusBar_ = CreateWindowExA(0, STATUSCLASSNAMEA, std::string(kTagline).c_str(), WS_CHILD | WS_VISIBLE, 0, 0, 0, 0,
                               window_.Get(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kStatusBarId)), instance_,
                               nullptr);
  SendMessageA(statusBar_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);

  treeControl_ = std::make_unique<ConfigTreeControl>(window_.Get(), instance_, images_->Get(), kConfigTreeId);
  SetWindowContextHelpId(treeControl_->Handle(), 1);
  configDialog_ = std::make_unique<Win32ConfigDialog>(
      ItemDialogServices{keyNames_, files_, messageBoxes_, fileDialogs_, servicePorts_, nullptr, &shell_,
                         &platform_.fileVersions},
      [this](int number) {
        if (core_) core_->ShowContextHelp(number);
      });
  configDialog_->SetOwner(window_.Get());
  Layout();
}

void MainForm::CreateConfigTree() {
  configTree_ = std::make_unique<ConfigTree>(
      *settings_.root, ConfigTreeServices{*core_, *configDialog_, messageBoxes_, keyNames_, zupFolder_});
  configTree_->SetView(treeControl_.get());
  CreateItemLists();
}

void MainForm::CreateItemLists() {
  const auto showHelp = [this](int number) {
    if (core_) core_->ShowContextHelp(number);
  };
  templateEditor_ = std::make_unique<ui::Win32TemplateEditor>(keyNames_, showHelp);
  templateEditor_->SetOwner(window_.Get());
  templateList_ = std::make_unique<TemplateList>(*settings_.root, *core_, *templateEditor_, messageBoxes_, keyNames_);
  pluginList_ = std::make_unique<PluginList>(*settings_.root, *core_, *configDialog_, messageBoxes_);
  templateControl_ =
      std::make_unique<TemplateListControl>(window_.Get(), instance_, kTemplateListId, images_->Get(), *templateList_);
  pluginControl_ = std::make_unique<PluginListControl>(window_.Get(), instance_, kPluginListId, *pluginList_);
  templateList_->SetView(templateControl_.get());
  pluginList_->SetView(pluginControl_.get());
  SetWindowContextHelpId(templateControl_->Handle(), 2);
  SetWindowContextHelpId(pluginControl_->Handle(), 3);
  Layout();
  OnPageChanged();
}

namespace {

// One editing command on a list of the Templates or Plug-Ins page.
template <class List> bool RunOnList(List& list, int id) {
  switch (id) {
    case kAddCommand: list.Add(); return true;
    case kModifyCommand: list.Modify(); return true;
    case kDeleteCommand: list.Delete(); return true;
    case kCloneCommand: list.Clone(); return true;
    case kMoveUpCommand: list.MoveUp(); return true;
    case kMoveDownCommand: list.MoveDown(); return true;
    default: return false;
  }
}

}  // namespace

bool MainForm::RunListCommand(ManagementPage page, int id) {
  if (page == ManagementPage::Templates && templateList_) {
    templateList_->Select(templateControl_->SelectedRows());
    return RunOnList(*templateList_, id);
  }
  if (page == ManagementPage::Plugins && pluginList_) {
    const std::vector<int> rows = pluginControl_->SelectedRows();
    pluginList_->Select(rows.empty() ? -1 : rows.front());
    return RunOnList(*pluginList_, id);
  }
  return false;
}

bool MainForm::OnListNotify(const NMHDR& header) {
  const bool templates = templateControl_ && header.hwndFrom == templateControl_->Handle();
  const bool plugins = pluginControl_ && header.hwndFrom == pluginControl_->Handle();
  if (!templates && !plugins) return false;
  if (header.code == NM_DBLCLK) {
    RunEditCommand(kModifyCommand);
    return true;
  }
  return templates && templateControl_->OnNotify(header);
}

void MainForm::Layout() {
  if (pages_ == nullptr || toolbar_ == nullptr || statusBar_ == nullptr) return;
  RECT client{};
  GetClientRect(window_.Get(), &client);
  SendMessageA(toolbar_, TB_AUTOSIZE, 0, 0);
  SendMessageA(statusBar_, WM_SIZE, 0, 0);
  RECT bar{};
  GetWindowRect(toolbar_, &bar);
  RECT status{};
  GetWindowRect(statusBar_, &status);
  const int top = bar.bottom - bar.top;
  const int bottom = client.bottom - (status.bottom - status.top);
  MoveWindow(pages_, 0, top, client.right, bottom - top, TRUE);
  RECT display{0, 0, client.right, bottom - top};
  SendMessageA(pages_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
  for (const HWND page : {treeControl_ ? treeControl_->Handle() : nullptr,
                          templateControl_ ? templateControl_->Handle() : nullptr,
                          pluginControl_ ? pluginControl_->Handle() : nullptr})
    if (page != nullptr)
      SetWindowPos(page, HWND_TOP, display.left, top + display.top, display.right - display.left,
                   display.bottom - display.top, 0);
}

void MainForm::SetCloneEnabled(bool enabled) {
  cloneEnabled_ = enabled;
  EnableMenuItem(mainMenu_, kCloneCommand, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
  SendMessageA(toolbar_, TB_ENABLEBUTTON, kCloneCommand, enabled ? TRUE : FALSE);
}

void MainForm::OnPageChanged() {
  if (!configTree_) return;
  const ManagementPage page = ActivePage();
  const PageState state = PageStateFor(page, *configTree_);
  SetWindowContextHelpId(window_.Get(), static_cast<DWORD>(state.helpContext));
  // A click on a tab leaves the focus on the page control: F1 there answers for the page shown.
  SetWindowContextHelpId(pages_, static_cast<DWORD>(state.helpContext));
  const UINT importExport = MF_BYCOMMAND | (state.importExportEnabled ? MF_ENABLED : MF_GRAYED);
  EnableMenuItem(mainMenu_, kImportTemplateCommand, importExport);
  EnableMenuItem(mainMenu_, kExportTemplateCommand, importExport);
  SetCloneEnabled(state.cloneEnabled);
  ShowWindow(treeControl_->Handle(), page == ManagementPage::Configurations ? SW_SHOW : SW_HIDE);
  if (templateControl_) ShowWindow(templateControl_->Handle(), page == ManagementPage::Templates ? SW_SHOW : SW_HIDE);
  if (pluginControl_) ShowWindow(pluginControl_->Handle(), page == ManagementPage::Plugins ? SW_SHOW : SW_HIDE);
}

bool MainForm::RunEditCommand(int id) {
  if (!configTree_) return false;
  if (ActivePage() != ManagementPage::Configurations) return RunListCommand(ActivePage(), id);
  ConfigTree& tree = *configTree_;
  switch (id) {
    case kAddCommand: tree.Add(); return true;
    case kModifyCommand: tree.Modify(); return true;
    case kDeleteCommand: tree.Delete(); return true;
    case kCloneCommand:
      if (cloneEnabled_) tree.Clone();
      return true;
    case kMoveUpCommand: tree.MoveUp(); return true;
    case kMoveDownCommand: tree.MoveDown(); return true;
    default: return false;
  }
}

LRESULT MainForm::OnNotify(const NMHDR& header) {
  if (header.hwndFrom == pages_ && header.code == TCN_SELCHANGE) {
    OnPageChanged();
    return 0;
  }
  if (header.code == TTN_GETDISPINFOA) {
    auto& info = const_cast<NMTTDISPINFOA&>(reinterpret_cast<const NMTTDISPINFOA&>(header));
    for (const Action* action : kActions)
      if (static_cast<UINT_PTR>(action->id) == header.idFrom) info.lpszText = const_cast<char*>(action->hint);
    return 0;
  }
  if (OnListNotify(header)) return 0;
  if (!treeControl_ || !configTree_ || header.hwndFrom != treeControl_->Handle()) return 0;
  const auto& change = reinterpret_cast<const NMTREEVIEWA&>(header);
  switch (header.code) {
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW:
      if (!treeControl_->Filling()) configTree_->Select(reinterpret_cast<TConfigStorage*>(change.itemNew.lParam));
      return 0;
    case NM_CLICK: {
      // The click selects on the button going down, so the selection is the clicked node's.
      POINT point{};
      GetCursorPos(&point);
      ScreenToClient(treeControl_->Handle(), &point);
      if (TConfigStorage* record = treeControl_->RecordAt(point)) configTree_->Select(record);
      SetCloneEnabled(PageStateFor(ActivePage(), *configTree_).cloneEnabled);
      return 0;
    }
    case NM_DBLCLK:
      RunEditCommand(kModifyCommand);
      return 0;
    case TVN_BEGINDRAGA:
    case TVN_BEGINDRAGW:
      treeControl_->SelectRecord(reinterpret_cast<TConfigStorage*>(change.itemNew.lParam));
      configTree_->Select(reinterpret_cast<TConfigStorage*>(change.itemNew.lParam));
      configTree_->BeginDrag();
      if (configTree_->Dragging()) {
        dragging_ = true;
        SetCapture(window_.Get());
        SetCursor(LoadCursorA(nullptr, IDC_SIZEALL));
      }
      return 0;
    default:
      return 0;
  }
}

void MainForm::EndDrag(bool drop, POINT windowPoint) {
  if (!dragging_) return;
  dragging_ = false;
  ReleaseCapture();
  if (!drop) {
    configTree_->CancelDrag();
    return;
  }
  const HWND tree = treeControl_->Handle();
  POINT point = windowPoint;
  MapWindowPoints(window_.Get(), tree, &point, 1);
  RECT area{};
  GetClientRect(tree, &area);
  if (!PtInRect(&area, point)) {
    configTree_->CancelDrag();  // a drop counts only over the tree
    return;
  }
  configTree_->Drop(treeControl_->RecordAt(point));
}

bool MainForm::EditShortcut(const MSG& message) {
  if (message.message != WM_KEYDOWN) return false;
  const auto action = bw::EditShortcut(static_cast<std::uint16_t>(message.wParam), KeyDown(VK_SHIFT),
                                       KeyDown(VK_CONTROL), KeyDown(VK_MENU));
  if (!action) return false;
  int id = 0;
  switch (*action) {
    case EditAction::Add: id = kAddCommand; break;
    case EditAction::Clone: id = kCloneCommand; break;
    case EditAction::Modify: id = kModifyCommand; break;
    case EditAction::Delete: id = kDeleteCommand; break;
    case EditAction::MoveUp: id = kMoveUpCommand; break;
    case EditAction::MoveDown: id = kMoveDownCommand; break;
  }
  return RunEditCommand(id);
}

}  // namespace bw::win32
