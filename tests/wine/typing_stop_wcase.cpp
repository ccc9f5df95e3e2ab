// Esc stops a long typing run: Brackwater types a template of several minutes into the client
// test double while tests/wine/typing_stop.sh presses Esc as a person does (xdotool, not
// injected). The typing stops at once, the user is told once, the rest is never typed, and the
// keyboard is the user's again. Handshake through files in the folder given as the only
// argument: this program writes "typing" once typing has begun, the script answers
// "esc-pressed".
#include <windows.h>

#include <cstdio>
#include <string>

#include "typing_scene.h"
#include "wintest.h"

using namespace bw::wintest;

namespace {

std::string g_handshake;

WINTEST(TypingStop, EscStopsALongTemplateAtOnceAndTellsTheUserOnce) {
  ASSERT_TRUE(!g_handshake.empty());
  const std::string longText = CountingLines(1000);
  ConfigFolder config("bwstop");
  WriteTemplateOnT(config, longText);
  Brackwater program;
  ASSERT_TRUE(program.WaitReady());
  Client client = StartFinsql("\"/text=" + WriteScratch("stop.txt", "") + "\"");
  ASSERT_TRUE(client);
  EXPECT_EQ(PressTemplateKey(program, client), std::string("Insert template ?"));
  // 1000 lines take two and a half minutes: asked for first.
  EXPECT_EQ(Answer(program, "Confirm", IDYES).rfind("This template types 1000 lines", 0), 0u);
  ASSERT_TRUE(TypingBegun(client));
  Touch(g_handshake + "\\typing");
  EXPECT_TRUE(WaitFor([&] { return Exists(g_handshake + "\\esc-pressed"); }, 20000));
  EXPECT_EQ(Answer(program, "Information", IDOK),
            std::string("Typing was stopped with Esc. The rest of the template was not typed."));
  // The run is over once the box shows: what the editor holds is a beginning of the template.
  const std::string stopped = client.State().Text();
  EXPECT_TRUE(stopped.size() < longText.size() / 2);
  EXPECT_EQ(longText.substr(0, stopped.size()), stopped);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1) g_handshake = argv[1];
  char* none[] = {argv[0]};
  return RunAll(1, none);
}
