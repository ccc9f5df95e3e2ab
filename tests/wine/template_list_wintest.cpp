// The Templates page of the real Brackwater.exe: a template added through the template editor
// with a tag button and a hotkey, typed into the Navision client test double (finsql.exe) by that
// hotkey, and kept in the settings file, with a plug-in added on the Plug-Ins page. A template
// whose hotkey this test holds shows the failure image. Pictures of the editor and of the list
// are offered to template_list_shot.sh through BW_MANAGEMENT_SHOT_DIR. File > Export Template and
// Import Template through the real file dialogs: two selected templates written and read back,
// and a file written by another tool. The editor's tag buttons answer Alt and their letter.
#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <span>
#include <string>
#include <utility>

#include "program/window_commands.h"
#include "client_session.h"
#include "platform/win32/unique_resource.h"
#include "platform/win32/win32_key_names.h"
#include "settings/template_exchange.h"
#include "ui/win32/dpi.h"
#include "ui/win32/frm_navision_item.h"
#include "ui/win32/frm_template_editor.h"
#include "wintest.h"

using namespace bw::wintest;

namespace {

constexpr const char* kEditorCaption = "Brackwater Code Template";
constexpr const char* kPluginCaption = "Brackwater Plug-In Configuration";
constexpr std::int32_t kShiftCtrl = 0x2000 | 0x4000;
constexpr int kName = bw::ui::kTemplateEditorName;
constexpr int kText = bw::ui::kTemplateEditorText;
constexpr int kUseHotkey = bw::ui::kTemplateEditorUseHotkey;
constexpr int kHotkey = bw::ui::kTemplateEditorHotkey;
constexpr int kProblem = bw::ui::kTemplateEditorProblem;
constexpr int kAuthorButton = bw::ui::kTemplateEditorTagCommand + 2;

void OfferScreenshot(const std::string& name) {
  const char* folder = std::getenv("BW_MANAGEMENT_SHOT_DIR");
  if (folder == nullptr || *folder == '\0') return;
  const std::string ready = std::string(folder) + "\\" + name + ".ready";
  const std::string taken = std::string(folder) + "\\" + name + ".taken";
  if (FILE* marker = std::fopen(ready.c_str(), "w")) std::fclose(marker);
  WaitFor([&] { return Exists(taken); }, 30000);
}

void AddTemplate(bw::TStorage& root, const std::string& name, const std::string& text, std::int32_t hotkey) {
  auto record = std::make_unique<bw::TCommentStorage>();
  record->CommentName = name;
  record->Comment = text;
  record->Hotkey = hotkey;
  bw::TemplatesFolder(root).AddChild(std::move(record));
}

// Opens the management window on its Templates page from the tray menu; the page's list once
// it shows, or null.
HWND OpenTemplatesPage(const Brackwater& program) {
  const HWND menu = program.OpenTrayMenu();
  if (menu == nullptr) return nullptr;
  PostMessageA(menu, WM_CHAR, 't', 1);  // "&Templates..."
  const HWND main = program.MainWindow();
  const HWND list = GetDlgItem(main, bw::win32::kTemplateListId);
  if (list == nullptr) return nullptr;
  const bool shown = WaitFor([&] { return IsWindowVisible(main) != FALSE && IsWindowVisible(list) != FALSE; }, 10000);
  return shown ? list : nullptr;
}

// The file dialog of Export and Import Template, once its file name field exists.
HWND WaitForFileDialog(const Brackwater& program) {
  HWND dialog = nullptr;
  WaitFor([&] {
    const auto found = TopWindows(program.Id(), "#32770", "Select template file...");
    dialog = found.empty() ? nullptr : found.front();
    return dialog != nullptr && (GetDlgItem(dialog, 0x47c) != nullptr || GetDlgItem(dialog, 0x480) != nullptr);
  });
  return dialog;
}

// Types `path` into the dialog's file name field (cmb13, or edt1 in the older layout) and
// presses the default button, as Enter does.
bool ChooseFile(HWND dialog, const std::string& path) {
  HWND name = GetDlgItem(dialog, 0x47c);
  if (name == nullptr) name = GetDlgItem(dialog, 0x480);
  SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
  char typed[MAX_PATH] = {};
  SendMessageA(name, WM_GETTEXT, sizeof typed, reinterpret_cast<LPARAM>(typed));
  if (path != typed) return false;
  PressButton(dialog, IDOK);
  return true;
}

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Keyboard input of characters, each as its own key press.
void TypeText(const std::string& text) {
  for (const char c : text) {
    INPUT input[2]{};
    for (INPUT& one : input) {
      one.type = INPUT_KEYBOARD;
      if (c == '\t') {
        one.ki.wVk = VK_TAB;
      } else {
        one.ki.wScan = static_cast<WORD>(static_cast<unsigned char>(c));
        one.ki.dwFlags = KEYEVENTF_UNICODE;
      }
    }
    input[1].ki.dwFlags |= KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
    Sleep(20);
  }
}

// A control's text; GetWindowText does not ask the controls of another process.
std::string Text(HWND control) {
  char text[512] = {};
  SendMessageA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

// Real keyboard input of Alt+key, as a person presses an access key.
void PressAlt(WORD key) {
  SendKeyEvent(VK_MENU, false);
  SendKeyEvent(key, false);
  SendKeyEvent(key, true);
  SendKeyEvent(VK_MENU, true);
}

// The control with the keyboard focus in the thread of another process's window.
HWND FocusIn(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) == FALSE) return nullptr;
  return info.hwndFocus;
}

int Rows(HWND list) { return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

// Memory in the program's process, for the control messages that carry a pointer: the system
// does not carry their structures across processes.
class Remote {
public:
  explicit Remote(HWND window) {
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    process_.Reset(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, id));
    if (process_) memory_ = VirtualAllocEx(process_.Get(), nullptr, 4096, MEM_COMMIT, PAGE_READWRITE);
  }
  ~Remote() {
    if (memory_ != nullptr) VirtualFreeEx(process_.Get(), memory_, 0, MEM_RELEASE);
  }
  Remote(const Remote&) = delete;
  Remote& operator=(const Remote&) = delete;

  // Sends the message with `data` copied over at offset 0 and reads it back.
  template <class T> LRESULT Send(HWND window, UINT message, WPARAM wParam, T& data) {
    WriteProcessMemory(process_.Get(), memory_, &data, sizeof data, nullptr);
    const LRESULT result = SendMessageA(window, message, wParam, reinterpret_cast<LPARAM>(memory_));
    ReadProcessMemory(process_.Get(), memory_, &data, sizeof data, nullptr);
    return result;
  }
  // A cell's text of a list view.
  std::string Cell(HWND list, int row, int column) {
    struct {
      LVITEMA item;
      char text[256];
    } cell{};
    cell.item.iSubItem = column;
    cell.item.pszText = static_cast<char*>(memory_) + offsetof(decltype(cell), text);
    cell.item.cchTextMax = sizeof cell.text;
    Send(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), cell);
    return cell.text;
  }

private:
  bw::platform::UniqueHandle process_;
  void* memory_ = nullptr;
};

}  // namespace

WINTEST(TemplateList, EditorAddsATemplateWhoseHotkeyTypesItIntoTheClient) {
  ConfigFolder config("bwtemplates");
  config.Write([](bw::TStorage& root) {
    bw::General(root).Author = "Ann Lee";
    bw::General(root).Initials = "AL";
    bw::General(root).Company = "Acme";
    AddTemplate(root, "Header", "// <<Author>>", kShiftCtrl | 'H');
    AddTemplate(root, "Held elsewhere", "x", kShiftCtrl | 'J');
  });
  // Another program holds Shift+Ctrl+J: that template's row shows it.
  ASSERT_TRUE(RegisterHotKey(nullptr, 1, MOD_SHIFT | MOD_CONTROL, 'J') != FALSE);
  Brackwater program;
  ASSERT_TRUE(program.WaitReady());
  // The start reports the taken hotkey.
  if (const HWND box = program.WaitForDialog("Error")) PressButton(box, IDOK);

  const HWND main = program.MainWindow();
  const HWND list = OpenTemplatesPage(program);
  ASSERT_TRUE(list != nullptr);
  ASSERT_EQ(Rows(list), 2);
  Remote remote(list);
  EXPECT_EQ(remote.Cell(list, 0, 1), std::string("Shift+Ctrl+H"));

  // Add: a name, a text typed in, the Author tag put at the caret, and a hotkey.
  PostMessageA(main, WM_COMMAND, bw::win32::kAddCommand, 0);
  const HWND editor = program.WaitForDialog(kEditorCaption);
  ASSERT_TRUE(editor != nullptr);
  const HWND text = GetDlgItem(editor, kText);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(editor, IDOK)));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(editor, kHotkey)));
  // Typed as a person types: the dialog starts in the name field, Tab leads to the text.
  ASSERT_TRUE(BringToFront(editor));
  TypeText("Signed\tx := '';");
  ASSERT_TRUE(WaitFor([&] { return Text(text) == "x := '';"; }, 5000));
  EXPECT_EQ(Text(GetDlgItem(editor, kName)), std::string("Signed"));
  EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(GetDlgItem(editor, IDOK)) != FALSE; }, 5000));
  CHARRANGE caret{6, 6};
  remote.Send(text, EM_EXSETSEL, 0, caret);
  SendMessageA(editor, WM_COMMAND, MAKEWPARAM(kAuthorButton, BN_CLICKED), 0);
  EXPECT_EQ(Text(text), std::string("x := '<<Author>>';"));
  CHARRANGE after{};
  remote.Send(text, EM_EXGETSEL, 0, after);
  EXPECT_EQ(after.cpMin, 6);
  // The tag is red, the rest is not.
  CHARFORMATA format{};
  format.cbSize = sizeof format;
  CHARRANGE tag{7, 8};
  remote.Send(text, EM_EXSETSEL, 0, tag);
  remote.Send(text, EM_GETCHARFORMAT, SCF_SELECTION, format);
  EXPECT_EQ(format.crTextColor, RGB(255, 0, 0));
  CHARRANGE plain{0, 1};
  remote.Send(text, EM_EXSETSEL, 0, plain);
  format.cbSize = sizeof format;
  remote.Send(text, EM_GETCHARFORMAT, SCF_SELECTION, format);
  EXPECT_TRUE(format.crTextColor != RGB(255, 0, 0));
  // Moved to a monitor at 144 dots per inch and back: the template's own font follows, and the
  // tag is red again over the new font.
  const LONG heightAt96 = format.yHeight;
  for (const int dpi : {144, 96}) {
    RECT suggested{};
    GetWindowRect(editor, &suggested);
    remote.Send(editor, bw::win32::kDpiChangedMessage, MAKEWPARAM(dpi, dpi), suggested);
    remote.Send(text, EM_EXSETSEL, 0, tag);
    format.cbSize = sizeof format;
    remote.Send(text, EM_GETCHARFORMAT, SCF_SELECTION, format);
    EXPECT_EQ(format.yHeight, heightAt96 * dpi / 96);
    EXPECT_EQ(format.crTextColor, RGB(255, 0, 0));
  }

  // The box with a modifier alone keeps OK off; a whole hotkey turns it on.
  SendMessageA(GetDlgItem(editor, kUseHotkey), BM_CLICK, 0, 0);
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(editor, kHotkey)) != FALSE);
  SendMessageA(GetDlgItem(editor, kHotkey), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Ctrl+"));
  EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(GetDlgItem(editor, IDOK)) == FALSE; }, 5000));
  SendMessageA(GetDlgItem(editor, kHotkey), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("shift+ctrl+k"));
  EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(GetDlgItem(editor, IDOK)) != FALSE; }, 5000));
  OfferScreenshot("template_editor");
  PressButton(editor, IDOK);
  ASSERT_TRUE(program.WaitDialogGone(kEditorCaption));
  ASSERT_TRUE(WaitFor([&] { return Rows(list) == 3; }, 5000));
  EXPECT_EQ(remote.Cell(list, 2, 0), std::string("Signed"));
  EXPECT_EQ(remote.Cell(list, 2, 1), std::string("Shift+Ctrl+K"));

  // Modify on the failed row: the editor tells why its hotkey does nothing.
  LVITEMA select{};
  select.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  remote.Send(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), select);  // the new row was selected
  select.state = LVIS_SELECTED | LVIS_FOCUSED;
  remote.Send(list, LVM_SETITEMSTATE, 1, select);
  OfferScreenshot("template_list");
  PostMessageA(main, WM_COMMAND, bw::win32::kModifyCommand, 0);
  const HWND failed = program.WaitForDialog(kEditorCaption);
  ASSERT_TRUE(failed != nullptr);
  EXPECT_TRUE(Text(GetDlgItem(failed, kProblem)).find("registered by another application") != std::string::npos);
  PressButton(failed, IDCANCEL);
  ASSERT_TRUE(program.WaitDialogGone(kEditorCaption));
  UnregisterHotKey(nullptr, 1);

  // The Plug-Ins page: a plug-in added through the configuration dialog in plug-in mode.
  const HWND pages = FindChild(main, "SysTabControl32");
  const HWND plugins = GetDlgItem(main, bw::win32::kPluginListId);
  ASSERT_TRUE(pages != nullptr && plugins != nullptr);
  bool shown = false;
  for (int x = 140; x < 180 && !shown; x += 10) {
    PostMessageA(pages, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 10));
    PostMessageA(pages, WM_LBUTTONUP, 0, MAKELPARAM(x, 10));
    shown = WaitFor([&] { return IsWindowVisible(plugins) != FALSE; }, 2000);
  }
  ASSERT_TRUE(shown);
  EXPECT_TRUE(IsWindowVisible(list) == FALSE);
  PostMessageA(main, WM_COMMAND, bw::win32::kAddCommand, 0);
  const HWND pluginDialog = program.WaitForDialog(kPluginCaption);
  ASSERT_TRUE(pluginDialog != nullptr);
  const std::string tool = BinFolder() + "finsql.exe";
  SendMessageA(GetDlgItem(pluginDialog, bw::ui::ItemControlId(bw::ItemControl::Name)), WM_SETTEXT, 0,
               reinterpret_cast<LPARAM>("Client"));
  SendMessageA(GetDlgItem(pluginDialog, bw::ui::ItemControlId(bw::ItemControl::Location)), WM_SETTEXT, 0,
               reinterpret_cast<LPARAM>(tool.c_str()));
  EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(GetDlgItem(pluginDialog, IDOK)) != FALSE; }, 5000));
  PressButton(pluginDialog, IDOK);
  ASSERT_TRUE(program.WaitDialogGone(kPluginCaption));
  ASSERT_TRUE(WaitFor([&] { return Rows(plugins) == 1; }, 5000));
  EXPECT_EQ(remote.Cell(plugins, 0, 0), std::string("Client"));
  EXPECT_EQ(remote.Cell(plugins, 0, 1), tool);

  // Hidden with Esc (the file is written); the new hotkey types the template into the client.
  PostMessageA(plugins, WM_KEYDOWN, VK_ESCAPE, 1);
  PostMessageA(plugins, WM_KEYUP, VK_ESCAPE, static_cast<LPARAM>(0xC0000001u));
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(main) == FALSE; }, 5000));
  const std::string file = WriteScratch("signed.txt", "");
  Client client = StartFinsql("\"/text=" + file + "\"");
  ASSERT_TRUE(client);
  ASSERT_TRUE(BringToFront(client.process->TopWindow()));
  PressHotkey('K');
  const auto state = client.WaitForText("x := 'Ann Lee';");
  EXPECT_EQ(state.Text(), std::string("x := 'Ann Lee';"));

  ASSERT_TRUE(program.Close());
  const auto saved = config.Read();
  ASSERT_TRUE(saved != nullptr);
  ASSERT_EQ(bw::TemplatesFolder(*saved).ChildCount(), 3);
  const auto& added = bw::Template(*saved, 2);
  EXPECT_EQ(added.CommentName, std::string("Signed"));
  EXPECT_EQ(added.Comment, std::string("x := '<<Author>>';"));
  EXPECT_EQ(added.Hotkey, kShiftCtrl | 'K');
  ASSERT_EQ(bw::PluginsFolder(*saved).ChildCount(), 1);
  EXPECT_EQ(bw::Plugin(*saved, 0).ExecutablePath, tool);
}

WINTEST(TemplateList, AltAndATagButtonsLetterInsertsItsTagAtTheCaret) {
  ConfigFolder config("bwaccesskeys");
  config.Write([](bw::TStorage&) {});
  Brackwater program;
  ASSERT_TRUE(program.WaitReady());
  const HWND main = program.MainWindow();
  const HWND list = OpenTemplatesPage(program);
  ASSERT_TRUE(list != nullptr);
  PostMessageA(main, WM_COMMAND, bw::win32::kAddCommand, 0);
  const HWND editor = program.WaitForDialog(kEditorCaption);
  ASSERT_TRUE(editor != nullptr);
  const HWND name = GetDlgItem(editor, kName);
  const HWND text = GetDlgItem(editor, kText);
  ASSERT_TRUE(BringToFront(editor));
  TypeText("Keys\tab");
  ASSERT_TRUE(WaitFor([&] { return Text(text) == "ab"; }, 5000));
  Remote remote(text);
  CHARRANGE caret{1, 1};
  remote.Send(text, EM_EXSETSEL, 0, caret);

  // Each tag goes in at the caret, which stays before it; Alt+A is the Author button's own click.
  const std::pair<WORD, const char*> presses[] = {
      {'D', "a<<Date>>b"},
      {'T', "a<<Time>><<Date>>b"},
      {'C', "a<<Document ID>><<Time>><<Date>>b"},
      {'V', "a<<Change ID>><<Document ID>><<Time>><<Date>>b"},
      {'A', "a<<Author>><<Change ID>><<Document ID>><<Time>><<Date>>b"},
  };
  for (const auto& [key, expected] : presses) {
    PressAlt(key);
    EXPECT_TRUE(WaitFor([&] { return Text(text) == expected; }, 5000));
  }
  EXPECT_EQ(Text(text), std::string(presses[4].second));
  CHARRANGE after{};
  remote.Send(text, EM_EXGETSEL, 0, after);
  EXPECT_EQ(after.cpMin, 1);
  EXPECT_EQ(FocusIn(editor), text);

  // The other controls keep their keys. Alt+T belongs to the Template label outside the text.
  const std::string kept = Text(text);
  PressAlt('N');
  EXPECT_TRUE(WaitFor([&] { return FocusIn(editor) == name; }, 5000));
  PressAlt('T');
  EXPECT_TRUE(WaitFor([&] { return FocusIn(editor) == text; }, 5000));
  PressAlt('H');
  EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(GetDlgItem(editor, kHotkey)) != FALSE; }, 5000));
  PressAlt('K');
  EXPECT_TRUE(WaitFor([&] { return FocusIn(editor) == GetDlgItem(editor, kHotkey); }, 5000));
  PressAlt('T');
  EXPECT_TRUE(WaitFor([&] { return FocusIn(editor) == text; }, 5000));
  EXPECT_EQ(Text(text), kept);
  EXPECT_EQ(Text(name), std::string("Keys"));
  // Coming back to the text selects nothing of it: the next tag goes in, it replaces nothing.
  CHARRANGE back{};
  remote.Send(text, EM_EXGETSEL, 0, back);
  EXPECT_EQ(back.cpMin, back.cpMax);
  PressAlt('T');
  EXPECT_TRUE(WaitFor([&] { return Text(text).size() == kept.size() + std::string("<<Time>>").size(); }, 5000));
  PressButton(editor, IDCANCEL);
  ASSERT_TRUE(program.WaitDialogGone(kEditorCaption));
  EXPECT_EQ(Rows(list), 0);
  EXPECT_TRUE(program.Close());
}

// On a double-byte code page (run by template_editor_cp932.sh with Wine's code page at 932) a
// character takes one position in the text control and two bytes in the template: a tag goes in
// after the whole character, never between its bytes.
WINTEST_SCENARIO(TemplateEditorCp932, ATagGoesInAfterADoubleByteCharacter) {
  if (GetACP() != 932) SKIP_CASE("the code page is not 932");
  ConfigFolder config("bwcp932");
  config.Write([](bw::TStorage&) {});
  Brackwater program;
  ASSERT_TRUE(program.WaitReady());
  ASSERT_TRUE(OpenTemplatesPage(program) != nullptr);
  PostMessageA(program.MainWindow(), WM_COMMAND, bw::win32::kAddCommand, 0);
  const HWND editor = program.WaitForDialog(kEditorCaption);
  ASSERT_TRUE(editor != nullptr);
  const HWND text = GetDlgItem(editor, kText);
  ASSERT_TRUE(BringToFront(editor));
  SendMessageW(text, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"x\u3042\u3044y"));  // two kana
  Remote remote(text);
  CHARRANGE beforeY{3, 3};
  remote.Send(text, EM_EXSETSEL, 0, beforeY);
  PressAlt('D');
  EXPECT_TRUE(WaitFor([&] { return Text(text).find("<<Date>>") != std::string::npos; }, 5000));
  EXPECT_EQ(Text(text), std::string("x\x82\xA0\x82\xA2<<Date>>y"));
  PressButton(editor, IDCANCEL);
  ASSERT_TRUE(program.WaitDialogGone(kEditorCaption));
  EXPECT_TRUE(program.Close());
}

WINTEST(TemplateList, ExportedTemplatesImportAgainAndAFileOfAnotherToolImports) {
  ConfigFolder config("bwtmlfiles");
  config.Write([](bw::TStorage& root) {
    AddTemplate(root, "First", "a;", 0);
    AddTemplate(root, "Second", "x;\r\ny;", 0);
    AddTemplate(root, "Third", "c;", 0);
    AddTemplate(root, "Fourth", "<d> & 'e'", 0);
  });
  Brackwater program;
  ASSERT_TRUE(program.WaitReady());
  const HWND main = program.MainWindow();
  const HWND list = OpenTemplatesPage(program);
  ASSERT_TRUE(list != nullptr);
  ASSERT_EQ(Rows(list), 4);
  Remote remote(list);

  // The fourth row selected before the second: the file keeps the list's order.
  LVITEMA select{};
  select.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  remote.Send(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), select);
  select.state = LVIS_SELECTED | LVIS_FOCUSED;
  remote.Send(list, LVM_SETITEMSTATE, 3, select);
  select.state = LVIS_SELECTED;
  select.stateMask = LVIS_SELECTED;
  remote.Send(list, LVM_SETITEMSTATE, 1, select);
  ASSERT_EQ(SendMessageA(list, LVM_GETSELECTEDCOUNT, 0, 0), 2);

  const std::string exported = Scratch("two.tml");
  DeleteFileA(exported.c_str());
  PostMessageA(main, WM_COMMAND, bw::win32::kExportTemplateCommand, 0);
  HWND dialog = WaitForFileDialog(program);
  ASSERT_TRUE(dialog != nullptr);
  ASSERT_TRUE(ChooseFile(dialog, exported));
  ASSERT_TRUE(WaitFor([&] { return TopWindows(program.Id(), "#32770").empty() && Exists(exported); }, 10000));
  const std::string bytes = FileBytes(exported);
  EXPECT_TRUE(bytes.starts_with("<?xml"));
  const auto second = bytes.find("<Name>Second</Name>");
  const auto fourth = bytes.find("<Name>Fourth</Name>");
  EXPECT_TRUE(second != std::string::npos && fourth != std::string::npos && second < fourth);
  EXPECT_TRUE(bytes.find("First") == std::string::npos && bytes.find("Third") == std::string::npos);
  // Read back as Import reads it: two templates, the line break a single CR LF.
  bw::platform::Win32KeyNames keys;
  const auto contents = bw::ReadTemplateFile(
      std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), keys);
  ASSERT_EQ(contents.templates.size(), std::size_t{2});
  EXPECT_EQ(contents.templates[0]->Comment, std::string("x;\r\ny;"));
  EXPECT_EQ(contents.templates[1]->Comment, std::string("<d> & 'e'"));

  // Imported again: the two appended at the end, in the file's order.
  PostMessageA(main, WM_COMMAND, bw::win32::kImportTemplateCommand, 0);
  dialog = WaitForFileDialog(program);
  ASSERT_TRUE(dialog != nullptr);
  ASSERT_TRUE(ChooseFile(dialog, exported));
  ASSERT_TRUE(WaitFor([&] { return Rows(list) == 6; }, 10000));
  EXPECT_EQ(remote.Cell(list, 4, 0), std::string("Second"));
  EXPECT_EQ(remote.Cell(list, 5, 0), std::string("Fourth"));

  // A file of another tool: a byte-order mark, no declaration, another root, CR LF inside Code,
  // and a line break written as MSXML writes it (a CR reference before the LF).
  const std::string foreign = WriteScratch(
      "foreign.tml",
      "\xEF\xBB\xBF<Templates>\r\n<Template>\r\n<Name>Foreign</Name>\r\n<Code>IF a THEN\r\n  b;&#13;\nc;</Code>\r\n"
      "</Template>\r\n</Templates>\r\n");
  PostMessageA(main, WM_COMMAND, bw::win32::kImportTemplateCommand, 0);
  dialog = WaitForFileDialog(program);
  ASSERT_TRUE(dialog != nullptr);
  ASSERT_TRUE(ChooseFile(dialog, foreign));
  ASSERT_TRUE(WaitFor([&] { return Rows(list) == 7; }, 10000));
  EXPECT_EQ(remote.Cell(list, 6, 0), std::string("Foreign"));
  EXPECT_TRUE(TopWindows(program.Id(), "#32770").empty());  // no error box

  // Hidden with Esc, which writes the settings file.
  PostMessageA(list, WM_KEYDOWN, VK_ESCAPE, 1);
  PostMessageA(list, WM_KEYUP, VK_ESCAPE, static_cast<LPARAM>(0xC0000001u));
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(main) == FALSE; }, 5000));
  std::unique_ptr<bw::TStorage> saved;
  ASSERT_TRUE(WaitFor([&] {
    saved = config.Read();
    return saved != nullptr && bw::TemplatesFolder(*saved).ChildCount() == 7;
  }, 10000));
  const char* const names[] = {"First", "Second", "Third", "Fourth", "Second", "Fourth", "Foreign"};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(bw::Template(*saved, i).CommentName, std::string(names[i]));
  EXPECT_EQ(bw::Template(*saved, 4).Comment, std::string("x;\r\ny;"));
  EXPECT_EQ(bw::Template(*saved, 5).Comment, std::string("<d> & 'e'"));
  EXPECT_EQ(bw::Template(*saved, 6).Comment, std::string("IF a THEN\r\n  b;\r\nc;"));
  EXPECT_TRUE(program.Close());
}

int main(int argc, char** argv) { return bw::wintest::RunAll(argc, argv); }
