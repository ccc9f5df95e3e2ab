// The management window of the real Brackwater.exe: opened from the tray, a configuration added
// through the configuration dialog and started from the tray menu, a rename that takes the
// client settings files along, a drag with real mouse input, Esc writing the file, and the same
// tree after a restart; "Test..." of the dialog reaches the SQL Server side.
#include <windows.h>
#include <commctrl.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "program/window_commands.h"
#include "client_session.h"
#include "platform/win32/unique_resource.h"
#include "ui/win32/frm_navision_item.h"
#include "wintest.h"

using namespace bw::wintest;
using bw::ItemControl;
using bw::ui::ItemControlId;

namespace {

constexpr const char* kDialogCaption = "Brackwater Navision Configuration";

std::vector<DWORD> Processes(const char* exeName) {
  bw::platform::UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  std::vector<DWORD> found;
  for (BOOL more = Process32First(snapshot.Get(), &entry); more; more = Process32Next(snapshot.Get(), &entry))
    if (lstrcmpiA(entry.szExeFile, exeName) == 0) found.push_back(entry.th32ProcessID);
  return found;
}

void EndProcesses(const char* exeName) {
  for (DWORD id : Processes(exeName)) {
    if (const bw::platform::UniqueHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id)); process) {
      TerminateProcess(process.Get(), 0);
      WaitForSingleObject(process.Get(), 5000);
    }
  }
}

void PostKey(HWND window, WPARAM key) {
  PostMessageA(window, WM_KEYDOWN, key, 1);
  PostMessageA(window, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
}

void SetText(HWND control, const std::string& text) {
  SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void OfferScreenshot(const std::string& name) {
  const char* folder = std::getenv("BW_MANAGEMENT_SHOT_DIR");
  if (folder == nullptr || *folder == '\0') return;
  const std::string ready = std::string(folder) + "\\" + name + ".ready";
  const std::string taken = std::string(folder) + "\\" + name + ".taken";
  if (FILE* marker = std::fopen(ready.c_str(), "w")) std::fclose(marker);
  WaitFor([&] { return Exists(taken); }, 30000);
}

// "A,F[B]": the names of a folder's records, sub-records in brackets.
std::string Shape(const bw::TStorage& folder) {
  std::string text;
  for (int i = 0; i < folder.ChildCount(); ++i) {
    const auto& record = bw::As<bw::TConfigStorage>(folder.Child(i));
    if (i > 0) text += ",";
    text += record.ConfigName;
    if (record.IsSubMenu) {
      text += '[';
      text += Shape(record);
      text += ']';
    }
  }
  return text;
}

// The configurations of the settings file, waiting (bounded) for the program to write the
// expected ones: the window is hidden just before the file is written.
std::string SavedShape(ConfigFolder& config, const std::string& expected) {
  std::string shape = "<no file>";
  WaitFor(
      [&] {
        const auto saved = config.Read();
        if (saved != nullptr) shape = Shape(bw::ConfigsFolder(*saved));
        return shape == expected;
      },
      5000);
  return shape;
}

HTREEITEM TreeItem(HWND tree, UINT which, HTREEITEM from = nullptr) {
  return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, which, reinterpret_cast<LPARAM>(from)));
}

// The n-th visible row of the tree (folders closed), from 0.
HTREEITEM Row(HWND tree, int n) {
  HTREEITEM item = TreeItem(tree, TVGN_ROOT);
  for (int i = 0; i < n && item != nullptr; ++i) item = TreeItem(tree, TVGN_NEXT, item);
  return item;
}

// The screen point in the middle of the n-th row's text.
POINT RowPoint(HWND tree, int n) {
  const int height = static_cast<int>(SendMessageA(tree, TVM_GETITEMHEIGHT, 0, 0));
  POINT point{45, height * n + height / 2};
  ClientToScreen(tree, &point);
  return point;
}

// The screen point near the right end of the n-th row, beside its text.
POINT RowEndPoint(HWND tree, int n) {
  RECT client{};
  GetClientRect(tree, &client);
  POINT point = RowPoint(tree, n);
  ScreenToClient(tree, &point);
  point.x = client.right - 8;
  ClientToScreen(tree, &point);
  return point;
}

void Mouse(DWORD flags, POINT at) {
  SetCursorPos(at.x, at.y);
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  if (flags != 0) SendInput(1, &input, sizeof input);
  Sleep(60);
}

void Drag(POINT from, POINT to) {
  Mouse(0, from);
  Mouse(MOUSEEVENTF_LEFTDOWN, from);
  for (int step = 1; step <= 10; ++step)
    Mouse(MOUSEEVENTF_MOVE, {from.x + (to.x - from.x) * step / 10, from.y + (to.y - from.y) * step / 10});
  Mouse(MOUSEEVENTF_LEFTUP, to);
}

// Clicks the tab of a page (tabs are about 60 pixels wide) until the condition holds.
bool ClickTab(HWND pages, int page, const std::function<bool()>& shown) {
  for (int x = 20 + 60 * page; x < 60 + 60 * page; x += 10) {
    PostMessageA(pages, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 10));
    PostMessageA(pages, WM_LBUTTONUP, 0, MAKELPARAM(x, 10));
    if (WaitFor(shown, 2000)) return true;
  }
  return false;
}

HWND OpenFromTray(const Brackwater& program) {
  const HWND menu = program.OpenTrayMenu();
  if (menu == nullptr) return nullptr;
  PostMessageA(menu, WM_CHAR, 'b', 1);  // "&Brackwater for Dynamics NAV..."
  const HWND main = program.MainWindow();
  return WaitFor([&] { return IsWindowVisible(main) != FALSE; }, 10000) ? main : nullptr;
}

}  // namespace

WINTEST(Management, AddStartRenameDragEscAndRestart) {
  ConfigFolder config("bwmanage", {"zup\\Alpha(1024x768).zup", "zup\\Renamed(1024x768).zup"});
  const std::string zup = config.Path() + "\\zup\\";
  CreateDirectoryA(zup.c_str(), nullptr);
  const std::string client = BinFolder() + "finsql.exe";
  config.Write([&](bw::TStorage& root) {
    bw::General(root).ZupDir = zup;
    auto& configs = bw::ConfigsFolder(root);
    auto alpha = std::make_unique<bw::TConfigStorage>();
    alpha->ConfigName = "Alpha";
    alpha->ExecutablePath = client;
    alpha->Server = "127.0.0.1,1";  // nothing listens there
    configs.AddChild(std::move(alpha));
    auto group = std::make_unique<bw::TConfigStorage>();
    group->ConfigName = "Group";
    group->IsSubMenu = true;
    auto beta = std::make_unique<bw::TConfigStorage>();
    beta->ConfigName = "Beta";
    beta->ExecutablePath = client;
    group->AddChild(std::move(beta));
    configs.AddChild(std::move(group));
  });
  if (std::FILE* file = std::fopen((zup + "Alpha(1024x768).zup").c_str(), "w")) std::fclose(file);
  EndProcesses("finsql.exe");

  {
    Brackwater program;
    ASSERT_TRUE(program.Started());
    ASSERT_TRUE(program.WaitForMainWindow() != nullptr);
    const HWND main = OpenFromTray(program);
    ASSERT_TRUE(main != nullptr);
    const HWND tree = FindChild(main, "SysTreeView32");
    ASSERT_TRUE(tree != nullptr);
    EXPECT_TRUE(IsWindowVisible(tree) != FALSE);
    EXPECT_EQ(SendMessageA(tree, TVM_GETCOUNT, 0, 0), 3);

    // Add with nothing selected: a top-level configuration, through the dialog.
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, 0);
    PostMessageA(main, WM_COMMAND, bw::win32::kAddCommand, 0);
    HWND dialog = program.WaitForDialog(kDialogCaption);
    ASSERT_TRUE(dialog != nullptr);
    EXPECT_EQ(SendMessageA(GetDlgItem(dialog, ItemControlId(ItemControl::InRoot)), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, ItemControlId(ItemControl::InRoot))));
    SetText(GetDlgItem(dialog, ItemControlId(ItemControl::Name)), "Zeta");
    SetText(GetDlgItem(dialog, ItemControlId(ItemControl::Location)), client);
    EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(GetDlgItem(dialog, IDOK)) != FALSE; }, 5000));
    PressButton(dialog, IDOK);
    ASSERT_TRUE(program.WaitDialogGone(kDialogCaption));
    EXPECT_TRUE(WaitFor([&] { return SendMessageA(tree, TVM_GETCOUNT, 0, 0) == 4; }, 5000));

    // The tray menu has it third, after Alpha and the folder: it starts the client test double.
    HWND menu = program.OpenTrayMenu();
    ASSERT_TRUE(menu != nullptr);
    for (int i = 0; i < 3; ++i) PostKey(menu, VK_DOWN);
    PostKey(menu, VK_RETURN);
    EXPECT_TRUE(WaitFor([] { return !Processes("finsql.exe").empty(); }, 15000));
    EndProcesses("finsql.exe");

    // Rename Alpha: its settings file follows.
    const HWND again = OpenFromTray(program);
    ASSERT_TRUE(again != nullptr);
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(Row(tree, 0)));
    PostMessageA(main, WM_COMMAND, bw::win32::kModifyCommand, 0);
    dialog = program.WaitForDialog(kDialogCaption);
    ASSERT_TRUE(dialog != nullptr);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, ItemControlId(ItemControl::IsSubMenu))));
    // The SQL Server side is connected: "Test..." tries the login and reports the failure.
    PressButton(dialog, ItemControlId(ItemControl::Test));
    const HWND box = program.WaitForDialog("Warning");
    ASSERT_TRUE(box != nullptr);
    EXPECT_TRUE(BoxText(box).find("Cannot connect to SQL Server '127.0.0.1,1'") != std::string::npos);
    PressButton(box, IDOK);
    ASSERT_TRUE(program.WaitDialogGone("Warning"));
    SetText(GetDlgItem(dialog, ItemControlId(ItemControl::Name)), "Renamed");
    PressButton(dialog, IDOK);
    ASSERT_TRUE(program.WaitDialogGone(kDialogCaption));
    EXPECT_TRUE(WaitFor([&] { return Exists(zup + "Renamed(1024x768).zup"); }, 5000));
    EXPECT_FALSE(Exists(zup + "Alpha(1024x768).zup"));

    // Drag Zeta (third row) onto Renamed (first row) with the mouse: Zeta takes its place.
    SetForegroundWindow(main);
    Drag(RowPoint(tree, 2), RowPoint(tree, 0));
    // A drop beside a folder's label, at the right end of its row, is a drop on the folder.
    Drag(RowPoint(tree, 1), RowEndPoint(tree, 2));
    OfferScreenshot("management");

    // Esc hides the window and writes the file.
    PostKey(tree, VK_ESCAPE);
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(main) == FALSE; }, 5000));
    EXPECT_EQ(SavedShape(config, "Zeta,Group[Beta,Renamed]"), std::string("Zeta,Group[Beta,Renamed]"));
    ASSERT_TRUE(program.Close());
  }

  // After a restart the tree shows the same records.
  Brackwater program;
  ASSERT_TRUE(program.Started());
  ASSERT_TRUE(program.WaitForMainWindow() != nullptr);
  const HWND main = OpenFromTray(program);
  ASSERT_TRUE(main != nullptr);
  const HWND tree = FindChild(main, "SysTreeView32");
  ASSERT_TRUE(tree != nullptr);
  EXPECT_EQ(SendMessageA(tree, TVM_GETCOUNT, 0, 0), 4);

  // Clone is offered unless a folder is selected on the configurations page: a click on the
  // folder takes it away, another page brings it back, and coming back re-evaluates it.
  const HWND toolbar = FindChild(main, "ToolbarWindow32");
  ASSERT_TRUE(toolbar != nullptr);
  const auto cloneEnabled = [&] {
    return (SendMessageA(toolbar, TB_GETSTATE, bw::win32::kCloneCommand, 0) & TBSTATE_ENABLED) != 0;
  };
  EXPECT_TRUE(cloneEnabled());
  SetForegroundWindow(main);
  Mouse(0, RowPoint(tree, 1));
  Mouse(MOUSEEVENTF_LEFTDOWN, RowPoint(tree, 1));
  Mouse(MOUSEEVENTF_LEFTUP, RowPoint(tree, 1));
  EXPECT_TRUE(WaitFor([&] { return !cloneEnabled(); }, 5000));
  const HWND pages = FindChild(main, "SysTabControl32");
  ASSERT_TRUE(pages != nullptr);
  EXPECT_TRUE(ClickTab(pages, 1, [&] { return IsWindowVisible(tree) == FALSE; }));
  EXPECT_EQ(SendMessageA(pages, TCM_GETCURSEL, 0, 0), 1);
  EXPECT_TRUE(cloneEnabled());
  EXPECT_TRUE(ClickTab(pages, 0, [&] { return IsWindowVisible(tree) != FALSE; }));
  EXPECT_FALSE(cloneEnabled());
  PostKey(tree, VK_ESCAPE);
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(main) == FALSE; }, 5000));
  ASSERT_TRUE(program.Close());
  EXPECT_EQ(SavedShape(config, "Zeta,Group[Beta,Renamed]"), std::string("Zeta,Group[Beta,Renamed]"));
  EndProcesses("finsql.exe");
}

int main(int argc, char** argv) { return bw::wintest::RunAll(argc, argv); }
