// Code completion end to end: the real Brackwater.exe watches keys pressed as real input
// (SendInput) in the Navision client test double (finsql.exe) and opens its list in the editor,
// which keeps the keyboard focus throughout; keys for any other window pass untouched.
//
// With BW_COMPLETION_SHOT_DIR set, the open list waits for a photograph: the case writes
// "completion-open" there and waits for "shot-taken".
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "client_session.h"
#include "platform/win32/unique_resource.h"
#include "wintest.h"

using namespace bw::wintest;

namespace {

constexpr const char* kCompleterClass = "TfrmCodeCompleter";

std::string EnvFolder(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string() : std::string(value);
}

void Touch(const std::string& path) {
  if (std::FILE* file = std::fopen(path.c_str(), "wb")) std::fclose(file);
}

// The completion list Brackwater shows, or null.
HWND FindCompleter(const Brackwater& program) {
  const auto found = AllTopWindows(program.Id(), kCompleterClass);
  return found.empty() ? nullptr : found.front();
}

int ListRows(HWND completer) {
  const HWND list = FindChild(completer, WC_LISTVIEWA);
  return list == nullptr ? -1 : static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
}

HWND FocusOf(DWORD thread) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

void SendKey(WORD vk, bool up) {
  SendKeyEvent(vk, up);
  Sleep(25);  // a person's pace: each key is handled before the next one comes
}

// A key pressed as a person does, with Shift or Ctrl held around it.
void Press(WORD vk, bool shift = false, bool ctrl = false) {
  if (shift) SendKey(VK_SHIFT, false);
  if (ctrl) SendKey(VK_CONTROL, false);
  SendKey(vk, false);
  SendKey(vk, true);
  if (ctrl) SendKey(VK_CONTROL, true);
  if (shift) SendKey(VK_SHIFT, true);
}

// Types letters, digits and "." as key presses (capitals with Shift).
void TypeKeys(const std::string& text) {
  for (const char c : text) {
    if (c == '.') Press(VK_OEM_PERIOD);
    else if (c >= 'a' && c <= 'z') Press(static_cast<WORD>(c - 'a' + 'A'));
    else if (c >= 'A' && c <= 'Z') Press(static_cast<WORD>(c), true);
    else Press(static_cast<WORD>(c));
  }
}

void WriteSettings(ConfigFolder& config, bool viaDot) {
  config.Write([&](bw::TStorage& root) {
    auto& general = bw::General(root);
    general.Author = "Ann Lee";
    general.ActivateViaDOT = viaDot;
    general.ActivateViaCTRLSpace = true;
  });
}

// Brackwater started with the given "." switch (Ctrl+Space on), and the client test double in
// front with an empty editor that has the focus.
struct Session {
  ConfigFolder config{"bwcc"};
  std::optional<Brackwater> program;
  std::optional<Client> client;
  HWND top = nullptr;
  HWND editor = nullptr;

  // startBoxes: the message boxes of the start-up are answered with OK, their texts kept there.
  Session(bool viaDot, const std::string& name, std::vector<std::string>* startBoxes = nullptr) {
    WriteSettings(config, viaDot);
    program.emplace();
    if (startBoxes != nullptr ? program->WaitForMainWindow(startBoxes) == nullptr : !program->WaitReady()) return;
    client.emplace(StartFinsql("\"/text=" + WriteScratch(name, "") + "\""));
    if (!*client) return;
    top = client->process->TopWindow();
    if (BringToFront(top)) editor = client->process->FocusWindow();
  }
  bool Ready() const { return editor != nullptr; }
};

// A plain window of this program (not an editor) that counts the keys it gets.
struct PlainWindow {
  static inline int keyDowns = 0;
  static inline std::string chars;
  bw::platform::UniqueWindow window;

  static LRESULT CALLBACK Procedure(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN && wParam != VK_SHIFT && wParam != VK_CONTROL) ++keyDowns;
    if (message == WM_CHAR) chars.push_back(static_cast<char>(wParam));
    return DefWindowProcA(w, message, wParam, lParam);
  }
  PlainWindow() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &Procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "BwPlainKeys";
    RegisterClassA(&windowClass);
    window.Reset(CreateWindowExA(0, "BwPlainKeys", "Plain C/AL notes", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300,
                                 200, nullptr, nullptr, windowClass.hInstance, nullptr));
  }
};

void PumpFor(DWORD milliseconds) { bw::calclient::PumpMessagesFor(milliseconds); }

// ---- cases ---------------------------------------------------------------------------------

WINTEST(Completion, DotOpensTheListBesideTheCaretAndEnterReplacesTheTypedWord) {
  Session session(true, "dot.txt");
  ASSERT_TRUE(session.Ready());
  const Brackwater& program = *session.program;
  Client& client = *session.client;
  const HWND top = session.top;
  const HWND editor = session.editor;
  const DWORD thread = client.process->ThreadId();

  TypeKeys("Rec.");
  HWND completer = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (completer = FindCompleter(program)) != nullptr && IsWindowVisible(completer); }, 10000));
  EXPECT_TRUE(GetWindow(completer, GW_OWNER) == top);
  EXPECT_TRUE(WaitFor([&] { return ListRows(completer) == 237; }, 5000));
  EXPECT_TRUE(FocusOf(thread) == editor);
  TypeKeys("fi");
  EXPECT_TRUE(WaitFor([&] { return ListRows(completer) == 11; }, 5000));
  EXPECT_EQ(client.WaitForText("Rec.fi").Text(), std::string("Rec.fi"));
  EXPECT_TRUE(FocusOf(thread) == editor);
  // The list sits below the caret line, over the editor, and moves with it.
  RECT list{}, edit{};
  GetWindowRect(completer, &list);
  GetWindowRect(editor, &edit);
  EXPECT_TRUE(list.top > edit.top && list.left >= edit.left && list.top < edit.bottom);
  RECT frame{};
  GetWindowRect(top, &frame);
  SetWindowPos(top, nullptr, frame.left + 40, frame.top + 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_TRUE(WaitFor(
      [&] {
        RECT moved{};
        GetWindowRect(completer, &moved);
        return moved.left == list.left + 40 && moved.top == list.top + 30;
      },
      5000));

  const std::string shots = EnvFolder("BW_COMPLETION_SHOT_DIR");
  if (!shots.empty()) {
    Touch(shots + "\\completion-open");
    WaitFor([&] { return Exists(shots + "\\shot-taken"); }, 60000);
  }
  EXPECT_TRUE(FocusOf(thread) == editor);

  Press(VK_RETURN);
  EXPECT_TRUE(WaitFor([&] { return FindCompleter(program) == nullptr; }, 5000));
  const auto state = client.WaitForText("Rec.FIELDACTIVE");
  EXPECT_EQ(state.Text(), std::string("Rec.FIELDACTIVE"));
  EXPECT_TRUE(WaitFor([&] { return client.State().Value("caret") == "1,16"; }, 5000));
  EXPECT_EQ(client.State().Value("caret"), std::string("1,16"));
  EXPECT_TRUE(FocusOf(thread) == editor);
}

WINTEST(Completion, CtrlSpaceStartsWithTheTypedWordAndIsSwallowed) {
  Session session(false, "cal.txt");
  ASSERT_TRUE(session.Ready());
  const Brackwater& program = *session.program;
  Client& client = *session.client;
  const HWND editor = session.editor;

  // Without ActivateViaDOT a "." opens nothing.
  TypeKeys("x.");
  client.WaitForText("x.");
  PumpFor(300);
  EXPECT_TRUE(FindCompleter(program) == nullptr);
  Press(VK_RETURN);
  TypeKeys("Cal");
  client.WaitForText("x.\r\nCal");
  Press(VK_SPACE, false, true);
  HWND completer = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (completer = FindCompleter(program)) != nullptr && ListRows(completer) == 3; }, 10000));
  EXPECT_TRUE(client.process->FocusWindow() == editor);
  Press(VK_RETURN);
  const auto state = client.WaitForText("x.\r\nCALCDATE");
  EXPECT_EQ(state.Text(), std::string("x.\r\nCALCDATE"));  // no space from Ctrl+Space, no line break from Enter
}

WINTEST(Completion, KeysForAnotherProgramPassUntouched) {
  ConfigFolder config("bwcc");
  WriteSettings(config, true);
  Brackwater program;
  ASSERT_TRUE(program.WaitReady());
  PlainWindow plain;
  ASSERT_TRUE(BringToFront(plain.window.Get()));
  SetFocus(plain.window.Get());
  PlainWindow::keyDowns = 0;
  PlainWindow::chars.clear();
  TypeKeys("Rec.fi");
  Press(VK_SPACE, false, true);
  Press(VK_RETURN);
  bw::calclient::WaitUntil([] { return PlainWindow::keyDowns >= 8; }, 5000);
  EXPECT_EQ(PlainWindow::keyDowns, 8);
  EXPECT_EQ(PlainWindow::chars, std::string("Rec.fi \r"));
  EXPECT_TRUE(FindCompleter(program) == nullptr);
}

// A German keyboard's dead key with completion on: tests/wine/dead_keys.sh presses ^ and then e
// on a display with the German layout (real key presses), then types " Rec.". Completion reads
// no key through the layout's stateful translation, so the dead key reaches the editor untouched
// and makes one "ê" with the e; the "." after it still opens the list (once the start-up's
// boxes are answered: key watching begins after them). Handshake through files in the folder
// BW_HANDSHAKE names: "ready" with the editor in front, "accent-seen" after the e.
WINTEST_SCENARIO(Completion, AGermanDeadKeyMakesOneAccentedLetterAndTheDotStillOpensTheList) {
  const std::string handshake = EnvFolder("BW_HANDSHAKE");
  if (handshake.empty()) SKIP_CASE("tests/wine/dead_keys.sh runs it");
  // Wine maps the keys by the German layout (its keyboard layout handle follows the locale):
  // ';' is Shift with ','.
  EXPECT_EQ(VkKeyScanExA(';', GetKeyboardLayout(0)), static_cast<SHORT>(0x1BC));
  std::vector<std::string> boxes;
  Session session(true, "deadkey.txt", &boxes);
  ASSERT_TRUE(session.Ready());
  // The default hotkeys whose key the German layout lacks ("[" and "/" need AltGr or Shift) fail
  // at the start, each with its box; nothing else is said.
  std::vector<std::string> said;
  for (const auto& box : boxes)  // (a box seen before its text was filled in shows nothing)
    if (!box.ends_with(": ") && std::find(said.begin(), said.end(), box) == said.end()) said.push_back(box);
  for (const auto& box : said) {
    std::printf("at the start: %s\n", box.c_str());
    EXPECT_EQ(box.rfind("Error: Brackwater failed to register standard hotkey 'Shift+Ctrl+", 0), 0u);
  }
  Client& client = *session.client;
  Touch(handshake + "\\ready");
  EXPECT_EQ(client.WaitForText("\xEA").Text(), std::string("\xEA"));
  Touch(handshake + "\\accent-seen");
  HWND completer = nullptr;
  EXPECT_TRUE(WaitFor([&] {
    return (completer = FindCompleter(*session.program)) != nullptr && IsWindowVisible(completer) &&
           ListRows(completer) == 237;
  }));
  EXPECT_EQ(client.WaitForText("\xEA Rec.").Text(), std::string("\xEA Rec."));
  EXPECT_TRUE(FocusOf(client.process->ThreadId()) == session.editor);
}

}  // namespace

int main(int argc, char** argv) { return RunAll(argc, argv); }
