// Esc stops a long typing run: Brackwater types a template of several minutes into the client
// test double while tests/wine/typing_stop.sh presses Esc as a person does (xdotool, not
// injected). The typing stops at once, the user is told once, the rest is never typed, and the
// keyboard is the user's again. Handshake through files in the folder given as the only
// argument: this program writes "typing" once typing has begun, the script answers
// "esc-pressed".
#include <windows.h>

#include <cstdio>
#include <string>

#include "client_session.h"
#include "wintest.h"

using namespace bw::wintest;

namespace {

constexpr std::int32_t kShiftCtrl = 0x2000 | 0x4000;
std::string g_handshake;

void Touch(const std::string& path) {
  if (std::FILE* file = std::fopen(path.c_str(), "wb")) std::fclose(file);
}

WINTEST(TypingStop, EscStopsALongTemplateAtOnceAndTellsTheUserOnce) {
  ASSERT_TRUE(!g_handshake.empty());
  std::string longText;
  for (int line = 1; line <= 1000; ++line)
    longText += (line > 1 ? "\r\n" : "") + std::string("x := x + ") + std::to_string(line) + ";";
  ConfigFolder config("bwstop");
  config.Write([&](bw::TStorage& root) {
    auto& general = bw::General(root);
    general.Author = "Ann Lee";
    general.Initials = "AL";
    general.Company = "Acme";
    auto record = std::make_unique<bw::TCommentStorage>();
    record->CommentName = "Very long";
    record->Comment = longText;
    record->Hotkey = kShiftCtrl | 'T';
    bw::TemplatesFolder(root).AddChild(std::move(record));
  });
  Brackwater program;
  ASSERT_TRUE(program.WaitReady());
  const std::string text = WriteScratch("stop.txt", "");
  Client client = StartFinsql("\"/text=" + text + "\"");
  ASSERT_TRUE(client);
  ASSERT_TRUE(BringToFront(client.process->TopWindow()));
  PressHotkey('T');
  EXPECT_EQ(Answer(program, "Confirm", IDYES), std::string("Insert template ?"));
  // 1000 lines take two and a half minutes: asked for first.
  EXPECT_EQ(Answer(program, "Confirm", IDYES).rfind("This template types 1000 lines", 0), 0u);
  ASSERT_TRUE(WaitFor([&] { return client.State().Text().find("x := x + 2;") != std::string::npos; }, 10000));
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
