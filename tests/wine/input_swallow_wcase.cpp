// The user's own keys while a template is typed: Brackwater types a long template into the
// client test double while tests/wine/input_swallow.sh presses keys as a person does (xdotool,
// not injected). None of them may reach the editor; once the template is in, the keyboard is
// the user's again. A mouse button held down as the run begins comes up during it, and is up
// afterwards. Handshake through files in the folder given as the only argument:
//   this program writes "button-at" (where to press), the script answers "button-down";
//   this program writes "typing" once typing has begun, the script answers "keys-pressed";
//   this program writes "typed" when the template is in; the script presses "q" until this
//   program writes "seen-q" (a few times at most), then answers "keys-after".
#include <windows.h>

#include <cstdio>
#include <string>

#include "typing_scene.h"
#include "wintest.h"

using namespace bw::wintest;

namespace {

std::string g_handshake;

// A window's class and caption, for the log.
std::string Describe(HWND window) {
  if (window == nullptr) return "no window";
  char name[128] = "";
  char caption[128] = "";
  GetClassNameA(window, name, sizeof name);
  GetWindowTextA(window, caption, sizeof caption);
  return std::string(name) + " \"" + caption + "\"";
}

WINTEST(Swallow, KeysPressedWhileATemplateIsTypedNeverReachTheEditor) {
  ASSERT_TRUE(!g_handshake.empty());
  const std::string longText = CountingLines(30);
  ConfigFolder config("bwswallow");
  WriteTemplateOnT(config, longText, 400);  // 12 s of typing, for the script's keys and clicks
  Brackwater program;
  ASSERT_TRUE(program.WaitReady());
  Client client = StartFinsql("\"/text=" + WriteScratch("swallow.txt", "") + "\"");
  ASSERT_TRUE(client);
  // The left button goes down on the editor before the run (the second click of a double-click)
  // and comes up during it: that release must pass, or the system keeps the button down.
  // (At the editor's top left corner, where its caret already stands.)
  POINT corner{4, 4};
  ClientToScreen(client.process->FocusWindow(), &corner);
  if (std::FILE* point = std::fopen((g_handshake + "\\button-at").c_str(), "wb")) {
    std::fprintf(point, "%ld %ld\n", corner.x, corner.y);
    std::fclose(point);
  }
  EXPECT_TRUE(WaitFor([&] { return Exists(g_handshake + "\\button-down"); }, 20000));
  EXPECT_EQ(PressTemplateKey(program, client), std::string("Insert template ?"));
  ASSERT_TRUE(TypingBegun(client));
  Touch(g_handshake + "\\typing");
  EXPECT_TRUE(WaitFor([&] { return Exists(g_handshake + "\\keys-pressed"); }, 20000));
  // The keys came while Brackwater typed: the template must still be typed as it stands.
  EXPECT_TRUE(client.State().Text() != longText);
  const auto state = client.WaitForText(longText);
  EXPECT_EQ(state.Text(), longText);  // every line starts in column 1, as the first did
  EXPECT_EQ(GetAsyncKeyState(VK_LBUTTON) & 0x8000, 0);  // up, as the user let it go

  // Afterwards the keyboard is the user's again (and the script's keys do reach the editor).
  Touch(g_handshake + "\\typed");
  // (A report that did not come has no text: only a longer text is a key that arrived.)
  const bool changed = WaitFor([&] { return client.State().Text().size() > longText.size(); }, 25000);
  if (!changed) std::printf("no key arrived after the template; in front: %s\n", Describe(GetForegroundWindow()).c_str());
  if (!changed || client.State().Text() != longText + "q") {
    std::string keys;
    for (const auto& key : client.EditorKeys()) keys += key + " ";
    std::printf("the editor received: %s\n", keys.c_str());
  }
  Touch(g_handshake + "\\seen-q");
  EXPECT_TRUE(WaitFor([&] { return Exists(g_handshake + "\\keys-after"); }, 30000));
  EXPECT_EQ(client.State().Text(), longText + "q");  // one key pressed, one key typed
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1) g_handshake = argv[1];
  char* none[] = {argv[0]};
  return RunAll(1, none);
}
