// The editor hotkeys end to end: the real Brackwater.exe acts on the Navision client test double
// (finsql.exe) as a user's key presses make it: a template with its cursor marker, repeat-last,
// a remembered once-variable, the credentials, which go only into the login dialog of a client
// running as fin.exe or finsql.exe (stored protected, opened after a restart), and a prompt exit
// after typing. The indent hotkey serves as a barrier: its question shows only once every
// earlier press has been handled.
//
// Started under the name navstart.exe this program stands in for a client that a configuration
// starts: it leaves started.txt beside itself and ends.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "client_session.h"
#include "settings/protected_password.h"
#include "wintest.h"

using bw::calclient::ClientProcess;
using bw::calclient::StateReport;
using namespace bw::wintest;

namespace {

constexpr const char* kStarterName = "navstart.exe";
constexpr const char* kConfirm = "Confirm";
constexpr const char* kAskVariable = "Enter a value for...";
constexpr std::int32_t kShiftCtrl = 0x2000 | 0x4000;

// Settings with the reserved variables filled in, plus what the case adds.
void WriteSettings(ConfigFolder& config, const std::function<void(bw::TStorage&)>& more = nullptr) {
  config.Write([&](bw::TStorage& root) {
    auto& general = bw::General(root);
    general.Author = "Ann Lee";
    general.Initials = "AL";
    general.Company = "Acme";
    if (more) more(root);
  });
}

void AddTemplate(bw::TStorage& root, const std::string& name, const std::string& text, std::int32_t hotkey) {
  auto record = std::make_unique<bw::TCommentStorage>();
  record->CommentName = name;
  record->Comment = text;
  record->Hotkey = hotkey;
  bw::TemplatesFolder(root).AddChild(std::move(record));
}

// ---- cases ---------------------------------------------------------------------------------

WINTEST(Templates, HotkeyTypesTheTemplateAndPutsTheCaretOnTheMarker) {
  ConfigFolder config("bwe2e");
  WriteSettings(config, [](bw::TStorage& root) {
    AddTemplate(root, "Block", "begin\r\n  |x\r\nend", kShiftCtrl | 'T');
    AddTemplate(root, "Message", "Message('<<Initials>>');", kShiftCtrl | 'M');
    AddTemplate(root, "Marked", "begin\r\n|  x\r\nend", kShiftCtrl | 'U');
  });
  Brackwater program;
  ASSERT_TRUE(program.WaitReady());

  const std::string text = WriteScratch("template.txt", "    \r\n// rest");
  Client client = StartFinsql("\"/text=" + text + "\" /caret=1,5");
  ASSERT_TRUE(client);
  ASSERT_TRUE(BringToFront(client.process->TopWindow()));
  PressHotkey('T');
  EXPECT_EQ(Answer(program, kConfirm, IDYES), std::string("Insert template ?"));
  StateReport state = client.WaitForText("    begin\r\n      x\r\n    end\r\n// rest");
  EXPECT_EQ(state.Text(), std::string("    begin\r\n      x\r\n    end\r\n// rest"));
  EXPECT_TRUE(WaitFor([&] { return client.State().Value("caret") == "2,7"; }, 5000));
  EXPECT_EQ(client.State().Value("caret"), std::string("2,7"));  // directly before the x

  // A marker before the leading spaces takes no column: the lines after it stay in column 5.
  const std::string marked = WriteScratch("marked.txt", "    \r\n// rest");
  Client third = StartFinsql("\"/text=" + marked + "\" /caret=1,5");
  ASSERT_TRUE(third);
  ASSERT_TRUE(BringToFront(third.process->TopWindow()));
  PressHotkey('U');
  EXPECT_EQ(Answer(program, kConfirm, IDYES), std::string("Insert template ?"));
  state = third.WaitForText("    begin\r\n      x\r\n    end\r\n// rest");
  EXPECT_EQ(state.Text(), std::string("    begin\r\n      x\r\n    end\r\n// rest"));
  EXPECT_TRUE(WaitFor([&] { return third.State().Value("caret") == "2,5"; }, 5000));
  EXPECT_EQ(third.State().Value("caret"), std::string("2,5"));  // where the marker stood

  // A one-line template without a marker is typed without a question, and repeat-last types it
  // again; every key arrives in order.
  const std::string line = WriteScratch("line.txt", "");
  Client second = StartFinsql("\"/text=" + line + "\"");
  ASSERT_TRUE(second);
  ASSERT_TRUE(BringToFront(second.process->TopWindow()));
  PressHotkey('M');
  second.WaitForText("Message('AL');");
  PressHotkey(VK_OEM_2);  // Shift+Ctrl+/
  state = second.WaitForText("Message('AL');Message('AL');");
  EXPECT_EQ(state.Text(), std::string("Message('AL');Message('AL');"));
  EXPECT_TRUE(TopWindows(program.Id(), "#32770", kConfirm).empty());
  std::string typed;
  for (const auto& key : second.EditorKeys()) typed += key.size() == 3 ? key.substr(1, 1) : "<" + key + ">";
  EXPECT_EQ(typed, std::string("Message('AL');Message('AL');"));
}

WINTEST(Templates, OnceVariableIsAskedOnceAndRememberedAcrossARestart) {
  ConfigFolder config("bwe2e");
  WriteSettings(config, [](bw::TStorage& root) { AddTemplate(root, "Get", "Rec.GET('<<No(O)>>');", kShiftCtrl | 'G'); });
  const std::string empty = WriteScratch("get.txt", "");
  {
    Brackwater program;
    ASSERT_TRUE(program.WaitReady());
    Client client = StartFinsql("\"/text=" + empty + "\"");
    ASSERT_TRUE(client);
    ASSERT_TRUE(BringToFront(client.process->TopWindow()));
    PressHotkey('G');
    const HWND dialog = program.WaitForDialog(kAskVariable);
    ASSERT_TRUE(dialog != nullptr);
    EXPECT_TRUE(BoxText(dialog).find("No") != std::string::npos);
    const HWND edit = FindChild(dialog, "Edit");
    ASSERT_TRUE(edit != nullptr);
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("10000"));
    PressButton(dialog, IDOK);
    // Just answered: no "Insert template ?" on top.
    const StateReport state = client.WaitForText("Rec.GET('10000');");
    EXPECT_EQ(state.Text(), std::string("Rec.GET('10000');"));
    EXPECT_TRUE(TopWindows(program.Id(), "#32770", kConfirm).empty());
    EXPECT_TRUE(program.Close());
  }
  const auto saved = config.Read();
  ASSERT_TRUE(saved != nullptr);
  const auto& vars = bw::General(*saved).VarList;
  EXPECT_TRUE(std::find(vars.begin(), vars.end(), "No=10000") != vars.end());
  {
    Brackwater program;
    ASSERT_TRUE(program.WaitReady());
    Client client = StartFinsql("\"/text=" + empty + "\"");
    ASSERT_TRUE(client);
    ASSERT_TRUE(BringToFront(client.process->TopWindow()));
    PressHotkey('G');
    // The stored value is used silently, so the template asks before it is typed.
    EXPECT_EQ(Answer(program, kConfirm, IDYES), std::string("Insert template ?"));
    EXPECT_TRUE(TopWindows(program.Id(), "#32770", kAskVariable).empty());
    const StateReport state = client.WaitForText("Rec.GET('10000');");
    EXPECT_EQ(state.Text(), std::string("Rec.GET('10000');"));
  }
}

WINTEST(Credentials, TypedOnlyIntoTheLoginDialogOfFinsql) {
  ConfigFolder config("bwe2e");
  const std::string starter = config.Path() + "\\" + kStarterName;
  ASSERT_TRUE(CopyFileA(ThisProgram().c_str(), starter.c_str(), FALSE));
  const std::string impostor = config.Path() + "\\navclient.exe";
  ASSERT_TRUE(CopyFileA((BinFolder() + "finsql.exe").c_str(), impostor.c_str(), FALSE));
  WriteSettings(config, [&](bw::TStorage& root) {
    auto dev = std::make_unique<bw::TConfigStorage>();
    dev->ConfigName = "Dev";
    dev->ExecutablePath = starter;
    dev->Database = "demo";
    dev->Username = "sa";
    dev->Password = "secret";
    bw::ConfigsFolder(root).AddChild(std::move(dev));
    bw::General(root).ZupDir = config.Path() + "\\zup\\";
    bw::General(root).ProtectPasswords = true;
  });
  {  // The first run's save protects the password with the system's data protection.
    Brackwater first;
    ASSERT_TRUE(first.WaitReady());
    ASSERT_TRUE(first.Close());
  }
  const auto saved = config.Read();
  ASSERT_TRUE(saved != nullptr);
  EXPECT_TRUE(bw::IsProtectedPassword(bw::Config(*saved, 0).Password));
  Brackwater program;  // it opens the password again to type it
  ASSERT_TRUE(program.WaitReady());

  // Start the configuration from the tray menu: this remembers its user name and password.
  const HWND menu = program.OpenTrayMenu();
  ASSERT_TRUE(menu != nullptr);
  PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 1);
  PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 1);
  ASSERT_TRUE(WaitFor([&] { return Exists(config.Path() + "\\started.txt"); }));

  // Each refused press is followed by the indent hotkey, answered No: its question is the first
  // one shown, so the credentials press before it has run and asked nothing.
  const auto refused = [&](Client& client) {
    ASSERT_TRUE(client);
    ASSERT_TRUE(BringToFront(client.process->TopWindow()));
    PressHotkey(VK_TAB);  // Shift+Ctrl+Tab
    // A press that comes while the credentials command still runs is dropped, so the indent key is
    // pressed until its question shows (a press while the question is open only brings it forward).
    for (int press = 0; press < 10; ++press) {
      PressHotkey(VK_OEM_PERIOD);
      if (program.WaitForDialog(kConfirm, 1500) != nullptr) break;
    }
    EXPECT_EQ(Answer(program, kConfirm, IDNO), std::string("Perform indentation ?"));
    const StateReport state = client.State();
    EXPECT_EQ(client.Typed(), 0);
    EXPECT_EQ(state.Value("login_user"), std::string(""));
  };
  {
    Client renamed(impostor, "/login");  // the client's login dialog, but not as fin.exe or finsql.exe
    refused(renamed);
    EXPECT_EQ(renamed.State().Value("login"), std::string("pending"));
  }
  {
    Client editor = StartFinsql("");  // finsql.exe, its C/AL editor in front
    refused(editor);
    EXPECT_EQ(editor.State().Text(), std::string(""));
  }
  {
    Client login = StartFinsql("/login");
    ASSERT_TRUE(login);
    EXPECT_EQ(login.process->SnapshotExeName(), std::string("finsql.exe"));
    ASSERT_TRUE(BringToFront(login.process->TopWindow()));
    PressHotkey(VK_TAB);
    const std::string question = Answer(program, kConfirm, IDYES);
    EXPECT_EQ(question.rfind("Insert username and password ?", 0), std::size_t{0});
    StateReport state;
    WaitFor([&] {
      state = login.State();
      return state.Value("login") == "done";
    });
    EXPECT_EQ(state.Value("login"), std::string("done"));
    EXPECT_EQ(state.Value("login_user"), std::string("sa"));
    EXPECT_EQ(state.Value("login_password"), std::string("secret"));
  }
}

// "CloseBrackwater" ends the program within moments even when it has just typed into a client
// that is still running (the set-up program waits only so long for it).
WINTEST(Exit, CloseEndsTheProgramPromptlyAfterTypingIntoARunningClient) {
  ConfigFolder config("bwe2e");
  WriteSettings(config, [](bw::TStorage& root) { AddTemplate(root, "Message", "Message('x');", kShiftCtrl | 'M'); });
  Brackwater program;
  ASSERT_TRUE(program.WaitReady());
  const std::string text = WriteScratch("exit.txt", "");
  Client client = StartFinsql("\"/text=" + text + "\"");
  ASSERT_TRUE(client);
  ASSERT_TRUE(BringToFront(client.process->TopWindow()));
  PressHotkey('M');
  EXPECT_EQ(client.WaitForText("Message('x');").Text(), std::string("Message('x');"));
  PostMessageA(program.MainWindow(), RegisterWindowMessageA("CloseBrackwater"), 0, 0);
  EXPECT_TRUE(program.WaitForExit(5000));
  EXPECT_TRUE(config.Read() != nullptr);
}

int StandInClient() {
  const std::string marker = FolderOf(ThisProgram()) + "started.txt";
  if (std::FILE* file = std::fopen(marker.c_str(), "wb")) std::fclose(file);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (BaseNameLower(ThisProgram()) == kStarterName) return StandInClient();
  return bw::wintest::RunAll(argc, argv);
}
