// The program's dialogs over the Navision client test double (finsql.exe), with the real
// Brackwater.exe: the keyboard goes back to the editor when a dialog or question closes, only
// one of the program's dialogs is open at a time, and "CloseBrackwater" ends the program also
// while a question or the tray menu runs its own message loop. Negative checks wait for a sign
// that the press was handled (the open dialog coming back to the front) before they look.
#include <windows.h>

#include <string>

#include "client_session.h"
#include "wintest.h"

using bw::calclient::StateReport;
using namespace bw::wintest;

namespace {

constexpr const char* kConfirm = "Confirm";
constexpr const char* kInsertTemplate = "Insert Template";
constexpr const char* kResetVariables = "Reset Variables";
constexpr std::int32_t kShiftCtrl = 0x2000 | 0x4000;

void WriteTemplates(ConfigFolder& config) {
  config.Write([](bw::TStorage& root) {
    auto& general = bw::General(root);
    general.Author = "Ann Lee";
    general.Initials = "AL";
    general.Company = "Acme";
    general.VarList.push_back("Table=18");
    const auto add = [&](const std::string& name, const std::string& text, std::int32_t hotkey) {
      auto record = std::make_unique<bw::TCommentStorage>();
      record->CommentName = name;
      record->Comment = text;
      record->Hotkey = hotkey;
      bw::TemplatesFolder(root).AddChild(std::move(record));
    };
    add("Alpha", "alpha", 0);                // first in the Insert Template dialog
    add("Parens", "(|)", kShiftCtrl | 'P');  // the marker makes it ask "Insert template ?"
  });
}

// The program's visible dialog with this caption, waited for.
HWND WaitForWindow(const Brackwater& program, const std::string& caption) {
  HWND found = nullptr;
  WaitFor([&] {
    const auto windows = TopWindows(program.Id(), "#32770", caption);
    found = windows.empty() ? nullptr : windows.front();
    return found != nullptr && IsWindowEnabled(found);
  });
  return found;
}

// The settings above, the program started with them, and then the client with an empty editor.
struct Scene {
  ConfigFolder config{"bwdlg"};
  bool written = (WriteTemplates(config), true);
  Brackwater program;
  bool ready = program.WaitReady();
  Client client = StartFinsql("\"/text=" + WriteScratch("empty.txt", "") + "\"");
};

// A key pressed on the real keyboard, as the user types on after a command.
void TypeKey(WORD key) { PressChord(false, false, key); }

WINTEST(Focus, KeysGoBackToTheEditorWhenTheDialogOrTheQuestionCloses) {
  Scene scene;
  Brackwater& program = scene.program;
  Client& client = scene.client;
  ASSERT_TRUE(scene.ready);
  ASSERT_TRUE(client);
  ASSERT_TRUE(BringToFront(client.process->TopWindow()));

  // From the Insert Template dialog: the first row, then the user types on.
  PressHotkey(VK_INSERT);
  const HWND dialog = WaitForWindow(program, kInsertTemplate);
  ASSERT_TRUE(dialog != nullptr);
  PressButton(dialog, IDOK);
  ASSERT_EQ(client.WaitForText("alpha").Text(), std::string("alpha"));
  ASSERT_TRUE(WaitFor([&] { return program.IdleNow(); }));
  TypeKey('Z');
  EXPECT_EQ(client.WaitForText("alphaz").Text(), std::string("alphaz"));
  // The repeat-last hotkey finds the editor in front again.
  PressHotkey(VK_OEM_2);
  EXPECT_EQ(client.WaitForText("alphazalpha").Text(), std::string("alphazalpha"));

  // After "Insert template ?": the caret stands between the parentheses and the key lands there.
  PressHotkey('P');
  EXPECT_EQ(Answer(program, kConfirm, IDYES), std::string("Insert template ?"));
  ASSERT_EQ(client.WaitForText("alphazalpha()").Text(), std::string("alphazalpha()"));
  // The command has ended once the caret is back on the marker and the program waits for input.
  ASSERT_TRUE(WaitFor([&] { return client.State().Value("caret") == "1,13" && program.IdleNow(); }));
  TypeKey('Z');
  EXPECT_EQ(client.WaitForText("alphazalpha(z)").Text(), std::string("alphazalpha(z)"));
  EXPECT_EQ(GetForegroundWindow(), client.process->TopWindow());
}

WINTEST(Dialogs, OneAtATimeAndTheRequestBringsItToTheFront) {
  Scene scene;
  Brackwater& program = scene.program;
  Client& client = scene.client;
  ASSERT_TRUE(scene.ready);
  ASSERT_TRUE(client);

  const HWND menu = program.OpenTrayMenu();
  ASSERT_TRUE(menu != nullptr);
  PostMessageA(menu, WM_CHAR, 'v', 1);  // "Reset &Variables..."
  const HWND reset = WaitForWindow(program, kResetVariables);
  ASSERT_TRUE(reset != nullptr);

  // The Insert Template hotkey over the editor: the open dialog comes to the front instead.
  ASSERT_TRUE(BringToFront(client.process->TopWindow()));
  PressHotkey(VK_INSERT);
  EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == reset; }));
  EXPECT_TRUE(TopWindows(program.Id(), "#32770", kInsertTemplate).empty());
  // So does a template hotkey, which types nothing meanwhile.
  ASSERT_TRUE(BringToFront(client.process->TopWindow()));
  PressHotkey('P');
  EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == reset; }));
  EXPECT_TRUE(TopWindows(program.Id(), "#32770", kConfirm).empty());
  EXPECT_EQ(client.Typed(), 0);
  // And the tray icon: no menu, so no second Reset Variables.
  ASSERT_TRUE(BringToFront(client.process->TopWindow()));
  PostMessageA(program.MainWindow(), bw::win32::kTrayNotifyMessage, 1, WM_RBUTTONUP);
  EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == reset; }));
  EXPECT_TRUE(TopWindows(program.Id(), "#32768").empty());
  EXPECT_EQ(TopWindows(program.Id(), "#32770", kResetVariables).size(), 1u);

  // Once it is closed, the hotkey works again. Closing activates its owner on the way out: the
  // editor is brought to the front only once the dialog is quite gone.
  PressButton(reset, IDCANCEL);
  ASSERT_TRUE(WaitFor([&] { return AllTopWindows(program.Id(), "#32770", kResetVariables).empty(); }));
  ASSERT_TRUE(BringToFront(client.process->TopWindow()));
  PressHotkey(VK_INSERT);
  const HWND dialog = WaitForWindow(program, kInsertTemplate);
  ASSERT_TRUE(dialog != nullptr);
  PressButton(dialog, IDCANCEL);
  ASSERT_TRUE(WaitFor([&] { return AllTopWindows(program.Id(), "#32770", kInsertTemplate).empty(); }));

  // A message box counts too: with the exit question open, the hotkey brings it to the front.
  const HWND again = program.OpenTrayMenu();
  ASSERT_TRUE(again != nullptr);
  PostMessageA(again, WM_CHAR, 'x', 1);  // "E&xit"
  const HWND box = program.WaitForDialog(kBrackwaterTitle);
  ASSERT_TRUE(box != nullptr);
  ASSERT_TRUE(BringToFront(client.process->TopWindow()));
  PressHotkey(VK_INSERT);
  EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == box; }));
  EXPECT_TRUE(TopWindows(program.Id(), "#32770", kInsertTemplate).empty());
  PressButton(box, IDNO);
  EXPECT_TRUE(WaitFor([&] { return AllTopWindows(program.Id(), "#32770", kBrackwaterTitle).empty(); }));
  EXPECT_TRUE(program.Running());
}

WINTEST(Close, EndsTheProgramWhileAQuestionOrTheTrayMenuIsOpen) {
  const UINT close = RegisterWindowMessageA("CloseBrackwater");
  {
    Scene scene;
    Brackwater& program = scene.program;
    Client& client = scene.client;
    ASSERT_TRUE(scene.ready);
    ASSERT_TRUE(client);
    ASSERT_TRUE(BringToFront(client.process->TopWindow()));
    PressHotkey('P');
    ASSERT_TRUE(program.WaitForDialog(kConfirm) != nullptr);
    PostMessageA(program.MainWindow(), close, 0, 0);
    ASSERT_TRUE(program.WaitForExit());
    EXPECT_EQ(program.ExitCode(), 0u);
    EXPECT_EQ(client.Typed(), 0);  // the question ended unanswered: nothing typed
  }
  {
    ConfigFolder config("bwdlg");
    WriteTemplates(config);
    Brackwater program;
    ASSERT_TRUE(program.WaitReady());
    ASSERT_TRUE(program.OpenTrayMenu() != nullptr);
    PostMessageA(program.MainWindow(), close, 0, 0);
    ASSERT_TRUE(program.WaitForExit());
    EXPECT_EQ(program.ExitCode(), 0u);
  }
}

}  // namespace

int main(int argc, char** argv) { return bw::wintest::RunAll(argc, argv); }
