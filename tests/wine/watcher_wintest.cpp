// The watcher library BWMsgWatch.dll and the Navision client test double (finsql.exe, fin.exe),
// against the real API under Wine. Runs beside the three programs in the build's bin folder:
//   watcher_wintest.exe [filter]
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "../../tools/calclient/driver/client_driver.h"
#include "platform/win32/unique_resource.h"
#include "watcher/watcher_api.h"
#include "wintest.h"

using namespace bw::calclient;
namespace api = bw::watcher;

namespace {

std::string Folder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string full(path);
  return full.substr(0, full.find_last_of("\\/"));
}

std::string Scratch(const std::string& name) {
  char base[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, base);
  return std::string(base) + "bwwatch-" + std::to_string(GetCurrentProcessId()) + "-" + name;
}

std::string WriteScratch(const std::string& name, const std::string& content) {
  const std::string path = Scratch(name);
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file != nullptr) {
    std::fwrite(content.data(), 1, content.size(), file);
    std::fclose(file);
  }
  return path;
}

std::string ClassOf(HWND window) {
  char name[256] = {};
  if (window != nullptr) GetClassNameA(window, name, sizeof name);
  return name;
}

std::string CaptionOf(HWND window) {
  char text[256] = {};
  if (window != nullptr) GetWindowTextA(window, text, sizeof text);
  return text;
}

std::optional<ClientProcess> StartClient(const std::string& program, const std::string& arguments) {
  static int counter = 0;
  const std::string log = Scratch("client" + std::to_string(++counter) + ".log");
  return ClientProcess::Start(Folder() + "\\" + program, arguments + " \"/log=" + log + "\"",
                              Scratch("state" + std::to_string(counter) + ".txt"));
}

// Brackwater's typing loop: characters as WM_CHAR, CR as Enter and then one Left for each
// leading space the text gave the line just ended; LF and "|" are not typed.
void TypeText(HWND window, const std::string& text) {
  int leadingSpaces = 0;
  bool nonBlank = false;
  for (const char c : text) {
    if (c == '\r') {
      ClientProcess::PostKey(window, VK_RETURN);
      for (int i = 0; i < leadingSpaces; ++i) ClientProcess::PostKey(window, VK_LEFT);
      leadingSpaces = 0;
      nonBlank = false;
      continue;
    }
    if (c != '\n' && c != '|') ClientProcess::PostText(window, std::string(1, c));
    if (c == ' ' && !nonBlank) ++leadingSpaces;
    if (c != ' ' && c != '\n') nonBlank = true;
  }
}

void PostKeys(HWND window, WPARAM key, int times) {
  for (int i = 0; i < times; ++i) ClientProcess::PostKey(window, key);
}

std::string ReadClipboard() {
  std::string text;
  for (int attempt = 0; attempt < 20 && !OpenClipboard(nullptr); ++attempt) PumpMessagesFor(10);
  if (const HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const auto* chars = static_cast<const char*>(GlobalLock(data))) {
      text = chars;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

// Real keyboard input, as a person's.
void SendKey(WORD virtualKey, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &input, sizeof input);
}

void Press(WORD virtualKey) {
  SendKey(virtualKey, false);
  SendKey(virtualKey, true);
}

bool BringToFront(HWND window) {
  return WaitUntil(
      [&] {
        if (GetForegroundWindow() != window) SetForegroundWindow(window);
        return GetForegroundWindow() == window;
      },
      5000);
}

// Waits until the client's text is the expected one; returns the last text seen.
std::string WaitForText(ClientProcess& client, const std::string& expected) {
  std::string text;
  WaitUntil(
      [&] {
        const auto report = client.State(2000);
        if (report) text = report->Text();
        return text == expected;
      },
      5000);
  return text;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The client test double shows what Brackwater relies on of the Navision client.

WINTEST(ClientDouble, EditorWindowIsRecognisableAndReportsItsCaret) {
  const std::string text = WriteScratch("facts.txt", "BEGIN\r\n    Foo;\r\nEND;\r\n");
  auto client = StartClient("finsql.exe", "\"/text=" + text + "\" /caret=2,5");
  ASSERT_TRUE(client.has_value());
  POINT caret{};
  const HWND focus = client->FocusWindow(&caret);
  EXPECT_EQ(ClassOf(focus), std::string("C/SIDE Form"));
  EXPECT_TRUE(CaptionOf(focus).find("C/AL Editor") != std::string::npos);
  EXPECT_TRUE(GetParent(focus) == client->TopWindow());
  EXPECT_EQ(client->SnapshotExeName(), std::string("finsql.exe"));
  const auto state = client->State();
  ASSERT_TRUE(state.has_value());
  EXPECT_EQ(state->Value("caret"), std::string("2,5"));
  EXPECT_EQ(state->Value("lines"), std::string("4"));
  EXPECT_EQ(state->Value("focus_class"), std::string("C/SIDE Form"));
  // The caret reports its place in the editor's client coordinates.
  EXPECT_EQ(state->Value("caret_point"), std::to_string(caret.x) + "," + std::to_string(caret.y));
  EXPECT_TRUE(caret.x > 0 && caret.y > 0);
  EXPECT_TRUE(client->Close());
  const auto final = client->FinalState();
  ASSERT_TRUE(final.has_value());
  EXPECT_EQ(final->Value("sequence"), std::string("0"));
}

// Started with a real client's argument text too, as Brackwater starts it: the double runs and
// reports its whole command line.
WINTEST(ClientDouble, SubformSwitchAndCaptionChangeTheEditorWindow) {
  const std::string arguments = "id=C:\\Zup\\Dev(1x1).zup,servername=SQL1,database=Demo Database,ntauthentication=0";
  auto client = StartClient("finsql.exe", "/subform \"/caption=Table 18 Customer - C/AL EDITOR\" " + arguments);
  ASSERT_TRUE(client.has_value());
  const HWND focus = client->FocusWindow();
  EXPECT_EQ(ClassOf(focus), std::string("C/SIDE Subform"));
  EXPECT_EQ(CaptionOf(focus), std::string("Table 18 Customer - C/AL EDITOR"));
  const auto state = client->State(5000);
  ASSERT_TRUE(state.has_value());
  const std::string commandLine = state->Value("command_line");
  EXPECT_TRUE(commandLine.find(" " + arguments) != std::string::npos);
  if (commandLine.find(arguments) == std::string::npos) std::printf("command_line=%s\n", commandLine.c_str());
}

WINTEST(ClientDouble, PostedTypingIndentsAfterEnter) {
  const std::string text = WriteScratch("typing.txt", "BEGIN\r\n    Foo;\r\nEND;");
  auto client = StartClient("finsql.exe", "\"/text=" + text + "\" /caret=2,9");
  ASSERT_TRUE(client.has_value());
  const HWND editor = client->FocusWindow();
  ASSERT_TRUE(editor != nullptr);
  TypeText(editor, "\r\nIF a THEN\r\n  b;");
  const auto state = client->State();
  ASSERT_TRUE(state.has_value());
  EXPECT_EQ(state->Text(), std::string("BEGIN\r\n    Foo;\r\n    IF a THEN\r\n      b;\r\nEND;"));
  EXPECT_EQ(state->Value("caret"), std::string("4,9"));
  EXPECT_EQ(state->Value("keys_with_modifier"), std::string("0"));
}

WINTEST(ClientDouble, TemplateAtColumnFiveEndsAtItsMarker) {
  // The three-line template "begin", "  |x", "end" typed at column 5 of an empty line, then
  // the caret moved back to the marker as Brackwater does: Left over the last line, Up, Right.
  const std::string text = WriteScratch("template.txt", "a\r\n\r\nb");
  auto client = StartClient("finsql.exe", "\"/text=" + text + "\" /caret=2,5");
  ASSERT_TRUE(client.has_value());
  const HWND editor = client->FocusWindow();
  TypeText(editor, "begin\r\n  |x\r\nend");
  PostKeys(editor, VK_LEFT, 3);
  PostKeys(editor, VK_UP, 1);
  PostKeys(editor, VK_RIGHT, 2);
  const auto state = client->State();
  ASSERT_TRUE(state.has_value());
  EXPECT_EQ(state->Text(), std::string("a\r\n    begin\r\n      x\r\n    end\r\nb"));
  EXPECT_EQ(state->Value("caret"), std::string("3,7"));
}

WINTEST(ClientDouble, EditingKeysAndColumnBeyondShortLines) {
  const std::string text = WriteScratch("keys.txt", "abcdef\r\nab\r\nabcdef");
  auto client = StartClient("finsql.exe", "\"/text=" + text + "\" /caret=1,7");
  ASSERT_TRUE(client.has_value());
  const HWND editor = client->FocusWindow();
  PostKeys(editor, VK_DOWN, 2);
  auto state = client->State();
  ASSERT_TRUE(state.has_value());
  EXPECT_EQ(state->Value("caret"), std::string("3,7"));  // column kept across the short line
  PostKeys(editor, VK_UP, 1);
  ClientProcess::PostText(editor, "X");  // beyond the end: the gap fills with spaces
  ClientProcess::PostKey(editor, VK_HOME);
  ClientProcess::PostKey(editor, VK_DELETE);
  ClientProcess::PostKey(editor, VK_END);
  ClientProcess::PostKey(editor, VK_BACK);
  ClientProcess::PostKey(editor, VK_LEFT);
  state = client->State();
  ASSERT_TRUE(state.has_value());
  EXPECT_EQ(state->Text(), std::string("abcdef\r\nb    \r\nabcdef"));
  EXPECT_EQ(state->Value("caret"), std::string("2,5"));
}

WINTEST(ClientDouble, CopyChordOnTheFramePutsTheSelectionOnTheClipboard) {
  const std::string text = WriteScratch("copy.txt", "one\r\n  two\r\nthree\r\nfour");
  auto client = StartClient("finsql.exe", "\"/text=" + text + "\" /caret=3,6 /anchor=1,1");
  ASSERT_TRUE(client.has_value());
  const HWND editor = client->FocusWindow();
  // A selection made upwards with posted Shift: the copy still leaves the caret at its end.
  ClientProcess::PostKey(editor, VK_DOWN);
  PostMessageA(editor, WM_KEYDOWN, VK_SHIFT, 0x002A0001);
  PostKeys(editor, VK_UP, 2);
  ClientProcess::PostKey(editor, VK_HOME);
  PostMessageA(editor, WM_KEYUP, VK_SHIFT, static_cast<LPARAM>(0xC02A0001u));
  ClientProcess::PostCopy(client->TopWindow());
  const auto state = client->State();
  ASSERT_TRUE(state.has_value());
  EXPECT_EQ(state->Value("copies"), std::string("1"));
  EXPECT_EQ(state->Value("caret"), std::string("4,6"));
  EXPECT_EQ(state->Value("anchor"), std::string("2,1"));
  EXPECT_EQ(ReadClipboard(), std::string("  two\r\nthree\r\nfour"));
  EXPECT_EQ(state->Text(), std::string("one\r\n  two\r\nthree\r\nfour"));  // no "c" typed
}

WINTEST(ClientDouble, KeysReadWithARealModifierHeldAreCounted) {
  auto client = StartClient("finsql.exe", "");
  ASSERT_TRUE(client.has_value());
  const HWND editor = client->FocusWindow();
  ASSERT_TRUE(BringToFront(client->TopWindow()));
  ClientProcess::PostText(editor, "abc");
  SendKey(VK_SHIFT, false);
  const bool held = WaitUntil(
      [&] {
        const auto report = client->State(2000);
        return report && report->Value("held_modifiers").find("shift") != std::string::npos;
      },
      5000);
  ClientProcess::PostKey(editor, VK_HOME);  // read as Shift+Home
  const auto state = client->State();
  SendKey(VK_SHIFT, true);
  ASSERT_TRUE(held);
  ASSERT_TRUE(state.has_value());
  EXPECT_EQ(state->Value("keys_with_modifier"), std::string("1"));
  EXPECT_EQ(state->Value("anchor"), std::string("1,4"));
  EXPECT_EQ(state->Value("caret"), std::string("1,1"));
}

WINTEST(ClientDouble, LoginDialogTakesCredentialsThenOpensTheEditor) {
  auto client = StartClient("fin.exe", "/login");
  ASSERT_TRUE(client.has_value());
  const HWND field = client->FocusWindow();
  EXPECT_EQ(ClassOf(field), std::string("C/SIDE Glued"));
  EXPECT_EQ(client->SnapshotExeName(), std::string("fin.exe"));
  TypeText(field, "SUPER\r\nse|cret\r\n\r\n");
  std::optional<StateReport> state;
  WaitUntil([&] { return (state = client->State(2000)) && state->Value("mode") == "editor"; }, 5000);
  ASSERT_TRUE(state.has_value());
  EXPECT_EQ(state->Value("login"), std::string("done"));
  EXPECT_EQ(state->Value("login_user"), std::string("SUPER"));
  EXPECT_EQ(state->Value("login_password"), std::string("secret"));
  EXPECT_EQ(state->Value("enters_after_login"), std::string("1"));
  EXPECT_EQ(ClassOf(client->FocusWindow()), std::string("C/SIDE Form"));
}

WINTEST(ClientDouble, EveryMessageIsLogged) {
  const std::string log = Scratch("logged.log");
  auto client = ClientProcess::Start(Folder() + "\\finsql.exe", "\"/log=" + log + "\"", Scratch("logged.txt"));
  ASSERT_TRUE(client.has_value());
  const HWND editor = client->FocusWindow();
  ClientProcess::PostText(editor, "q");
  ClientProcess::PostKey(editor, VK_RETURN);
  ASSERT_TRUE(client->State().has_value());
  const std::string content = ReadWholeFile(log);
  EXPECT_TRUE(content.find("editor WM_CHAR w=0x71 l=0x1C0001 posted held=---") != std::string::npos);
  EXPECT_TRUE(content.find("editor WM_KEYDOWN w=0xD") != std::string::npos);
  EXPECT_TRUE(content.find("\"CalClientDumpState\"") != std::string::npos);
}

// ---------------------------------------------------------------------------------------------
// The watcher library.

namespace {

struct WatcherLibrary {
  bw::platform::UniqueModule module;
  api::StartWatchingFn start = nullptr;
  api::StopWatchingFn stop = nullptr;
  api::StillWatchingFn still = nullptr;
  api::StopAllFn stopAll = nullptr;
  api::SetReceiverFn setReceiver = nullptr;
  api::GetReceiverFn getReceiver = nullptr;
  api::InitializeFn initialize = nullptr;
  api::FinalizeFn finalize = nullptr;

  WatcherLibrary() : module(LoadLibraryA((Folder() + "\\" + api::kLibraryName).c_str())) {
    if (!module) return;
    Bind(start, api::kStartWatching);
    Bind(stop, api::kStopWatching);
    Bind(still, api::kStillWatching);
    Bind(stopAll, api::kStopAll);
    Bind(setReceiver, api::kSetReceiver);
    Bind(getReceiver, api::kGetReceiver);
    Bind(initialize, api::kInitialize);
    Bind(finalize, api::kFinalize);
  }
  WatcherLibrary(const WatcherLibrary&) = delete;
  WatcherLibrary& operator=(const WatcherLibrary&) = delete;
  ~WatcherLibrary() {
    if (module && finalize) finalize();
  }
  bool Complete() const {
    return start && stop && still && stopAll && setReceiver && getReceiver && initialize && finalize;
  }

  template <class Function> void Bind(Function& function, const char* name) {
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module.Get(), name)));
  }
};

struct KeyEvent {
  WPARAM key;
  std::uint32_t flags;
};

// A window that records the key events it receives and swallows the chosen keys.
class Receiver {
public:
  Receiver() {
    static const bool registered = [] {
      WNDCLASSA windowClass{};
      windowClass.lpfnWndProc = &Procedure;
      windowClass.hInstance = GetModuleHandleA(nullptr);
      windowClass.lpszClassName = "WatcherTestReceiver";
      return RegisterClassA(&windowClass) != 0;
    }();
    (void)registered;
    window_.Reset(CreateWindowExA(0, "WatcherTestReceiver", "receiver", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr));
    SetWindowLongPtrA(window_.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  Receiver(const Receiver&) = delete;
  Receiver& operator=(const Receiver&) = delete;

  HWND Window() const { return window_.Get(); }
  api::WindowHandle Handle() const { return reinterpret_cast<api::WindowHandle>(window_.Get()); }
  std::vector<KeyEvent> events;
  std::vector<WPARAM> swallow;
  long keysTypedHere = 0;  // WM_KEYDOWN for the receiver window itself
  // When set, each event waits for it (bounded) before answering. Both may be used from another
  // thread than the receiver's.
  std::atomic<HANDLE> hangUntil{nullptr};
  std::atomic<long> releasesSeen{0};  // key release events received

private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    static const UINT keyEvent = RegisterWindowMessageA(api::kKeyMessageName);
    auto* self = reinterpret_cast<Receiver*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self != nullptr && message == keyEvent) {
      self->events.push_back({wParam, static_cast<std::uint32_t>(lParam)});
      if ((static_cast<std::uint32_t>(lParam) & api::KeyFlags::Released) != 0) ++self->releasesSeen;
      if (const HANDLE hang = self->hangUntil.load(); hang != nullptr) WaitForSingleObject(hang, 10000);
      const bool swallowed = std::find(self->swallow.begin(), self->swallow.end(), wParam) != self->swallow.end();
      return swallowed ? api::kSwallowKey : 0;
    }
    if (self != nullptr && message == WM_KEYDOWN) ++self->keysTypedHere;
    return DefWindowProcA(window, message, wParam, lParam);
  }

  bw::platform::UniqueWindow window_;
};

bool Released(const KeyEvent& event) { return (event.flags & api::KeyFlags::Released) != 0; }

// The watcher takes up the keyboard once it sees another program's window in front, which it
// looks at a few times a second; and without a window manager a client just started may still
// lose the activation to focus events of windows that went before. Waits until both hold: a key
// that types nothing (F8) is pressed until the receiver has its release and the client's editor
// has read it. The events of these presses are then forgotten.
// The receiver may live on another thread: only its release count is read here.
bool WaitUntilKeysArrive(Receiver& receiver, ClientProcess& client) {
  const auto keysRead = [&] {
    const auto state = client.State(2000);
    return state ? state->Value("keys") : std::string();
  };
  return WaitUntil(
      [&] {
        if (GetForegroundWindow() != client.TopWindow()) SetForegroundWindow(client.TopWindow());
        const std::string before = keysRead();
        const long released = receiver.releasesSeen.load();
        Press(VK_F8);
        return WaitUntil([&] { return receiver.releasesSeen.load() > released && keysRead() != before; }, 500);
      },
      5000);
}

bool WaitUntilWatching(Receiver& receiver, ClientProcess& client) {
  const bool watching = WaitUntilKeysArrive(receiver, client);
  PumpMessagesFor(100);  // the events of an earlier press that came late
  receiver.events.clear();
  return watching;
}

}  // namespace

WINTEST(Watcher, ExportsPlainNamesAndGuardsTheReceiver) {
  WatcherLibrary watcher;
  ASSERT_TRUE(watcher.module.Valid());
  ASSERT_TRUE(watcher.Complete());
  watcher.initialize();
  Receiver first, second;
  EXPECT_EQ(watcher.getReceiver(), api::WindowHandle{0});
  EXPECT_EQ(watcher.setReceiver(0x1234), 0);  // not a window
  EXPECT_TRUE(watcher.setReceiver(first.Handle()) != 0);
  EXPECT_TRUE(watcher.setReceiver(first.Handle()) != 0);  // again: still ours
  EXPECT_EQ(watcher.setReceiver(second.Handle()), 0);     // taken by a live window
  EXPECT_EQ(watcher.getReceiver(), first.Handle());
  EXPECT_TRUE(watcher.setReceiver(0) != 0);
  EXPECT_TRUE(watcher.setReceiver(second.Handle()) != 0);
  EXPECT_EQ(watcher.getReceiver(), second.Handle());

  EXPECT_EQ(watcher.still(), 0);
  EXPECT_EQ(watcher.start(api::kWatchMouse), 0);
  EXPECT_EQ(watcher.still(), 0);
  EXPECT_TRUE(watcher.start(api::kWatchKeys) != 0);
  EXPECT_TRUE(watcher.start(api::kWatchKeys) != 0);
  EXPECT_TRUE(watcher.still() != 0);
  watcher.stop(api::kWatchKeys);
  EXPECT_EQ(watcher.still(), 0);
  EXPECT_TRUE(watcher.start(api::kWatchKeys) != 0);
  watcher.stopAll();
  EXPECT_EQ(watcher.still(), 0);
  watcher.finalize();
  EXPECT_EQ(watcher.getReceiver(), api::WindowHandle{0});
}

WINTEST(Watcher, ReportsKeysOfAnotherProgramFirstAndSwallowsOnRequest) {
  WatcherLibrary watcher;
  ASSERT_TRUE(watcher.Complete());
  Receiver receiver;
  receiver.swallow = {'X'};
  ASSERT_TRUE(watcher.setReceiver(receiver.Handle()) != 0);
  auto client = StartClient("finsql.exe", "");
  ASSERT_TRUE(client.has_value());
  ASSERT_TRUE(BringToFront(client->TopWindow()));
  ASSERT_TRUE(watcher.start(api::kWatchKeys) != 0);
  ASSERT_TRUE(WaitUntilWatching(receiver, *client));
  for (const WORD key : {WORD{'A'}, WORD{'B'}, WORD{'X'}, WORD{'C'}}) Press(key);
  EXPECT_EQ(WaitForText(*client, "abc"), std::string("abc"));
  watcher.stop(api::kWatchKeys);

  std::vector<WPARAM> pressed;
  for (const KeyEvent& event : receiver.events)
    if (!Released(event)) pressed.push_back(event.key);
  EXPECT_TRUE((pressed == std::vector<WPARAM>{'A', 'B', 'X', 'C'}));
  ASSERT_EQ(receiver.events.size(), std::size_t{8});
  const KeyEvent& downA = receiver.events[0];
  const KeyEvent& upA = receiver.events[1];
  EXPECT_EQ(downA.flags & 0xFFFFu, 1u);
  EXPECT_EQ((downA.flags >> 16) & 0xFFu, MapVirtualKeyA('A', MAPVK_VK_TO_VSC));
  EXPECT_EQ(downA.flags & (api::KeyFlags::Released | api::KeyFlags::WasDown), 0u);
  EXPECT_EQ(upA.key, WPARAM{'A'});
  EXPECT_EQ(upA.flags & (api::KeyFlags::Released | api::KeyFlags::WasDown),
            api::KeyFlags::Released | api::KeyFlags::WasDown);
  // Modifiers come as a keyboard message names them, without side.
  ASSERT_TRUE(watcher.start(api::kWatchKeys) != 0);
  ASSERT_TRUE(WaitUntilWatching(receiver, *client));
  Press(VK_LSHIFT);
  WaitUntil([&] { return receiver.events.size() >= 2; }, 5000);
  watcher.stop(api::kWatchKeys);
  ASSERT_EQ(receiver.events.size(), std::size_t{2});
  EXPECT_EQ(receiver.events[0].key, WPARAM{VK_SHIFT});
}

WINTEST(Watcher, KeysOfItsOwnProcessAndKeysAfterStopAreNotReported) {
  WatcherLibrary watcher;
  ASSERT_TRUE(watcher.Complete());
  Receiver receiver;
  ASSERT_TRUE(watcher.setReceiver(receiver.Handle()) != 0);
  ASSERT_TRUE(watcher.start(api::kWatchKeys) != 0);
  ShowWindow(receiver.Window(), SW_SHOW);
  ASSERT_TRUE(BringToFront(receiver.Window()));
  SetFocus(receiver.Window());
  Press('E');
  EXPECT_TRUE(WaitUntil([&] { return receiver.keysTypedHere == 1; }, 5000));
  EXPECT_EQ(receiver.events.size(), std::size_t{0});

  auto client = StartClient("finsql.exe", "");
  ASSERT_TRUE(client.has_value());
  ASSERT_TRUE(BringToFront(client->TopWindow()));
  ASSERT_TRUE(WaitUntilWatching(receiver, *client));
  Press('F');
  EXPECT_EQ(WaitForText(*client, "f"), std::string("f"));
  EXPECT_EQ(receiver.events.size(), std::size_t{2});
  watcher.stop(api::kWatchKeys);
  Press('G');
  EXPECT_EQ(WaitForText(*client, "fg"), std::string("fg"));
  EXPECT_EQ(receiver.events.size(), std::size_t{2});
}

WINTEST(Watcher, HungReceiverDoesNotHoldUpTheKeys) {
  WatcherLibrary watcher;
  ASSERT_TRUE(watcher.Complete());
  // The receiver lives on a thread of its own that stops answering during the key event; it
  // would swallow the key if it answered in time.
  std::unique_ptr<Receiver> receiver;
  const bw::platform::UniqueHandle readyEvent(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  const bw::platform::UniqueHandle releaseEvent(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  const HANDLE ready = readyEvent.Get();
  const HANDLE release = releaseEvent.Get();
  std::atomic<bool> quit{false};
  bool gotKey = false;  // read after the owner has ended
  std::thread owner([&] {
    receiver = std::make_unique<Receiver>();
    receiver->swallow = {'H'};
    SetEvent(ready);
    while (!quit.load()) PumpMessagesFor(20);
    gotKey = std::any_of(receiver->events.begin(), receiver->events.end(),
                         [](const KeyEvent& event) { return event.key == 'H' && !Released(event); });
    receiver.reset();  // the window goes on the thread that made it
  });
  WaitForSingleObject(ready, 5000);
  ASSERT_TRUE(receiver != nullptr);
  EXPECT_TRUE(watcher.setReceiver(receiver->Handle()) != 0);
  auto client = StartClient("finsql.exe", "");
  // The watcher is in place once a key reaches both the receiver and the editor; only then does
  // the receiver stop answering.
  bool started = client.has_value() && BringToFront(client->TopWindow()) && watcher.start(api::kWatchKeys) != 0 &&
                 WaitUntilKeysArrive(*receiver, *client);
  if (started) {
    receiver->hangUntil = release;
    Press('H');
  }
  const std::string text = started ? WaitForText(*client, "h") : std::string();
  watcher.stop(api::kWatchKeys);
  SetEvent(release);
  quit.store(true);
  owner.join();
  ASSERT_TRUE(started);
  EXPECT_EQ(text, std::string("h"));
  EXPECT_TRUE(gotKey);  // the receiver did get the key, too late to swallow it
}

int main(int argc, char** argv) { return bw::wintest::RunAll(argc, argv); }
