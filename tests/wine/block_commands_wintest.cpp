// The block commands end to end: the real Brackwater.exe, its hotkeys pressed as real keyboard
// input, edits the selected lines of the Navision client test double (finsql.exe). The
// selection is learnt through the clipboard (the double copies it on the posted copy chord),
// the lines are edited with posted keys from the bottom line upwards, and the user's clipboard
// text is put back afterwards.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "client_session.h"
#include "platform/win32/unique_resource.h"
#include "wintest.h"

using bw::calclient::StateReport;
using namespace bw::wintest;

namespace {

constexpr const char* kConfirm = "Confirm";
constexpr const char* kRepeatCaption = "Brackwater for Dynamics NAV";
constexpr const char* kRepeatQuestion = "Do you want to repeat (un)indentation ?";
constexpr WORD kIndentKey = VK_OEM_PERIOD;  // Shift+Ctrl+.
constexpr WORD kUncommentKey = VK_OEM_4;    // Shift+Ctrl+[
constexpr WORD kCommentKey = VK_OEM_6;      // Shift+Ctrl+]

std::string ReadClipboard() {
  std::string text;
  if (!OpenClipboard(nullptr)) return "<not open>";
  if (const HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const char* chars = static_cast<const char*>(GlobalLock(data))) {
      text = chars;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

bool WriteClipboard(const std::string& text) {
  if (!OpenClipboard(nullptr)) return false;
  bool written = false;
  if (EmptyClipboard()) {
    if (bw::platform::UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)); block) {
      if (char* chars = static_cast<char*>(GlobalLock(block.Get()))) {
        std::memcpy(chars, text.c_str(), text.size() + 1);
        GlobalUnlock(block.Get());
        written = SetClipboardData(CF_TEXT, block.Get()) != nullptr;
      }
      if (written) block.Release();  // the clipboard owns it now
    }
  }
  CloseClipboard();
  return written;
}

// Puts these formats on the clipboard, each as a global memory block, as another program would.
bool WriteClipboardFormats(const std::vector<std::pair<UINT, std::string>>& formats) {
  if (!OpenClipboard(nullptr)) return false;
  bool written = EmptyClipboard() != FALSE;
  for (const auto& [format, bytes] : formats) {
    bw::platform::UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE, bytes.size()));
    bool set = false;
    if (char* data = block ? static_cast<char*>(GlobalLock(block.Get())) : nullptr) {
      std::memcpy(data, bytes.data(), bytes.size());
      GlobalUnlock(block.Get());
      set = SetClipboardData(format, block.Get()) != nullptr;
    }
    if (set) block.Release();  // the clipboard owns it now
    written = written && set;
  }
  CloseClipboard();
  return written;
}

// The first `size` bytes the clipboard holds in a format (a block may be rounded up);
// "<none>" when it holds no such format.
std::string ReadClipboardFormat(UINT format, std::size_t size) {
  std::string bytes = "<not open>";
  if (!OpenClipboard(nullptr)) return bytes;
  bytes = "<none>";
  if (const HANDLE data = GetClipboardData(format)) {
    if (const char* chars = static_cast<const char*>(GlobalLock(data))) {
      bytes.assign(chars, std::min<SIZE_T>(size, GlobalSize(data)));
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return bytes;
}

// Brackwater with the default hotkeys, and the double in front with the given text and
// selection (line and column from 1).
struct Scene {
  ConfigFolder config{"bwblock"};
  std::optional<Brackwater> program;
  std::optional<Client> client;

  Scene(const std::string& name, const std::string& text, const std::string& anchor, const std::string& caret) {
    config.Write([](bw::TStorage&) {});
    program.emplace();
    if (!program->WaitReady()) return;
    const std::string file = WriteScratch(name + ".txt", text);
    client.emplace(StartFinsql("\"/text=" + file + "\" /anchor=" + anchor + " /caret=" + caret));
  }
  bool Ready() { return program && client && *client && BringToFront(client->process->TopWindow()); }
};

// Waits until the editor shows the text with the caret where expected; the last state seen.
StateReport WaitForEdit(Client& client, const std::string& text, const std::string& caret) {
  StateReport state;
  WaitFor([&] {
    state = client.State();
    return state.Text() == text && state.Value("caret") == caret;
  });
  return state;
}

// The editor keys in one line: characters as they are, keys in angle brackets.
std::string Joined(const std::vector<std::string>& keys) {
  std::string joined;
  for (const auto& key : keys) joined += key.size() == 3 && key[0] == '\'' ? key.substr(1, 1) : "<" + key + ">";
  return joined;
}

// ---- cases ---------------------------------------------------------------------------------

WINTEST(BlockCommands, IndentHotkeyIndentsTheSelectedLinesAndRepeats) {
  Scene scene("indent", "one\r\n two\r\nthree\r\nrest", "1,1", "3,6");
  ASSERT_TRUE(scene.Ready());
  Client& client = *scene.client;
  ASSERT_TRUE(WriteClipboard("kept text"));

  PressHotkey(kIndentKey);
  EXPECT_EQ(Answer(*scene.program, kConfirm, IDYES), std::string("Perform indentation ?"));
  // The question after a pass comes once the pass is done.
  HWND repeat = scene.program->WaitForDialog(kRepeatCaption);
  ASSERT_TRUE(repeat != nullptr);
  EXPECT_EQ(BoxText(repeat), std::string(kRepeatQuestion));
  StateReport state = WaitForEdit(client, "  one\r\n   two\r\n  three\r\nrest", "3,1");
  EXPECT_EQ(state.Text(), std::string("  one\r\n   two\r\n  three\r\nrest"));
  EXPECT_EQ(state.Value("caret"), std::string("3,1"));
  EXPECT_EQ(state.Value("copies"), std::string("1"));

  // The repeated pass works on the same lines, as they now stand.
  PressButton(repeat, IDYES);
  ASSERT_TRUE(scene.program->WaitDialogGone(kRepeatCaption));
  repeat = scene.program->WaitForDialog(kRepeatCaption);
  ASSERT_TRUE(repeat != nullptr);
  state = WaitForEdit(client, "    one\r\n     two\r\n    three\r\nrest", "3,1");
  EXPECT_EQ(state.Text(), std::string("    one\r\n     two\r\n    three\r\nrest"));
  EXPECT_EQ(state.Value("caret"), std::string("3,1"));
  EXPECT_EQ(state.Value("anchor"), std::string("none"));
  EXPECT_EQ(state.Value("copies"), std::string("1"));
  PressButton(repeat, IDNO);
  EXPECT_TRUE(scene.program->WaitDialogGone(kRepeatCaption));

  // Two passes of the same keys, bottom line first; no other key reached the editor.
  const std::string pass = "<Home><Home>  <Up><Home>  <Up><Home>  <Down><Down><Home>";
  EXPECT_EQ(Joined(client.EditorKeys()), pass + pass);

  // The user's clipboard text is back once the command has ended.
  EXPECT_TRUE(WaitFor([] { return ReadClipboard() == "kept text"; }, 5000));
  EXPECT_EQ(ReadClipboard(), std::string("kept text"));
  EXPECT_TRUE(TopWindows(scene.program->Id(), "#32770").empty());
}

WINTEST(BlockCommands, UncommentRemovesTheLeadingSlashesInOrderedKeys) {
  Scene scene("uncomment", "//a\r\n/b\r\n  //c\r\nd", "1,1", "3,6");
  ASSERT_TRUE(scene.Ready());
  Client& client = *scene.client;

  PressHotkey(kUncommentKey);
  EXPECT_EQ(Answer(*scene.program, kConfirm, IDYES), std::string("Remove block comment ?"));
  const StateReport state = WaitForEdit(client, "a\r\nb\r\n  //c\r\nd", "3,1");
  EXPECT_EQ(state.Text(), std::string("a\r\nb\r\n  //c\r\nd"));
  EXPECT_EQ(state.Value("caret"), std::string("3,1"));

  // The keys Brackwater typed, in the order they arrived: bottom line first, each line from
  // column 1, back down to the bottom line at the end. The line with leading spaces keeps its
  // "//".
  EXPECT_EQ(Joined(client.EditorKeys()),
            std::string("<Home><Home><Up><Home><Delete><Up><Home><Delete><Delete><Down><Down><Home>"));
  // No repeat question for the comment commands. A question would stand before the program
  // handles its next message: the tray menu opening proves that point is passed.
  const HWND menu = scene.program->OpenTrayMenu();
  ASSERT_TRUE(menu != nullptr);
  EXPECT_TRUE(TopWindows(scene.program->Id(), "#32770", kRepeatCaption).empty());
  EXPECT_TRUE(scene.program->CloseTrayMenu(menu));
}

WINTEST(BlockCommands, EveryClipboardFormatIsKeptAndNoLeavesTheClipboardAlone) {
  Scene scene("formats", "one\r\ntwo\r\nrest", "1,1", "2,4");
  ASSERT_TRUE(scene.Ready());
  // Unicode text beyond the ANSI code page, and a picture in a format of another program's own;
  // OLE's note of a data object is not put back, as no object answers to it by then.
  const UINT picture = RegisterClipboardFormatA("Brackwater Test Picture");
  const UINT ole = RegisterClipboardFormatA("Ole Private Data");
  const std::string unicode("G\0\xFC\0 \0:&\0\0", 10);  // "Gü ☺" in UTF-16
  const std::string png("\x89PNG\r\n\x1A\n\0\x01\x02", 11);
  ASSERT_TRUE(WriteClipboardFormats({{CF_UNICODETEXT, unicode}, {picture, png}, {ole, "object"}}));
  const auto kept = [&] {
    return ReadClipboardFormat(CF_UNICODETEXT, unicode.size()) == unicode &&
           ReadClipboardFormat(picture, png.size()) == png;
  };

  PressHotkey(kCommentKey);
  EXPECT_EQ(Answer(*scene.program, kConfirm, IDYES), std::string("Perform block comment ?"));
  const StateReport state = WaitForEdit(*scene.client, "//one\r\n//two\r\nrest", "2,1");
  EXPECT_EQ(state.Text(), std::string("//one\r\n//two\r\nrest"));
  EXPECT_EQ(state.Value("copies"), std::string("1"));
  EXPECT_TRUE(WaitFor(kept, 5000));
  EXPECT_EQ(ReadClipboardFormat(CF_UNICODETEXT, unicode.size()), unicode);
  EXPECT_EQ(ReadClipboardFormat(picture, png.size()), png);
  EXPECT_EQ(ReadClipboardFormat(ole, 6), std::string("<none>"));
  // What was put back is kept out of the clipboard history and the cloud clipboard.
  const std::string no(4, '\0');
  EXPECT_EQ(ReadClipboardFormat(RegisterClipboardFormatA("CanIncludeInClipboardHistory"), 4), no);
  EXPECT_EQ(ReadClipboardFormat(RegisterClipboardFormatA("CanUploadToCloudClipboard"), 4), no);
  EXPECT_EQ(ReadClipboardFormat(RegisterClipboardFormatA("ExcludeClipboardContentFromMonitorProcessing"), 4), no);

  // Refused, in a second client: the clipboard is never borrowed.
  const std::string file = WriteScratch("formats2.txt", "one\r\ntwo\r\nrest");
  Client second = StartFinsql("\"/text=" + file + "\" /anchor=1,1 /caret=2,4");
  ASSERT_TRUE(second);
  ASSERT_TRUE(BringToFront(second.process->TopWindow()));
  PressHotkey(kCommentKey);
  EXPECT_EQ(Answer(*scene.program, kConfirm, IDNO), std::string("Perform block comment ?"));
  EXPECT_TRUE(kept());
  EXPECT_EQ(second.State().Value("copies"), std::string("0"));
}

}  // namespace

int main(int argc, char** argv) { return bw::wintest::RunAll(argc, argv); }
