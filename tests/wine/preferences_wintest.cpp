// The preferences dialog, the about box, the what's-new window and the version check with the
// real Brackwater.exe: opened from the tray menu, filled in through their controls, and checked
// by their effects (hotkeys held or free, the client test double indented, the registry, the
// configuration file moved, the address handed to a recording browser).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>

#include "program/window_commands.h"
#include "client_session.h"
#include "platform/win32/unique_resource.h"
#include "platform/win32/win32_secret_protection.h"
#include "settings/file_cipher.h"
#include "settings/protected_password.h"
#include "ui/about_box.h"
#include "ui/win32/frm_about.h"
#include "ui/win32/frm_navision_preferences.h"
#include "wintest.h"

using namespace bw::wintest;
namespace ids = bw::ui::preferences_ids;
namespace about = bw::ui::about_ids;

namespace {

constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kOpenedRecord = "opened.txt";

std::string ReadFile(const std::string& path) { return bw::calclient::ReadWholeFile(path); }

std::string Lower(std::string text) {
  CharLowerBuffA(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

// The text of another process's control (GetWindowText does not ask other processes' controls).
std::string ControlText(HWND control) {
  char text[8192] = {};
  SendMessageA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

void SetText(HWND control, const std::string& text) {
  SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

// When a script asks for it (BW_PREFS_SHOT_DIR), lets it photograph the screen: writes
// NAME.ready there and waits, at most 30 seconds, for the script's NAME.taken.
void OfferScreenshot(const std::string& name) {
  const char* folder = std::getenv("BW_PREFS_SHOT_DIR");
  if (folder == nullptr || *folder == '\0') return;
  const std::string ready = std::string(folder) + "\\" + name + ".ready";
  const std::string taken = std::string(folder) + "\\" + name + ".taken";
  if (FILE* marker = std::fopen(ready.c_str(), "w")) std::fclose(marker);
  WaitFor([&] { return Exists(taken); }, 30000);
}

// True when this process could take the key, so that no other program holds it.
bool KeyIsFree(UINT modifiers, UINT key) {
  if (!RegisterHotKey(nullptr, 0x5A5A, modifiers, key)) return false;
  UnregisterHotKey(nullptr, 0x5A5A);
  return true;
}

std::optional<std::string> ReadUserValue(const char* key, const char* name) {
  bw::platform::UniqueKey handle;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, handle.Receive()) != ERROR_SUCCESS) return std::nullopt;
  char data[1024] = {};
  DWORD size = sizeof data - 1;
  DWORD type = 0;
  const LONG result = RegQueryValueExA(handle.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
  if (result != ERROR_SUCCESS || type != REG_SZ) return std::nullopt;
  return std::string(data);
}

void DeleteUserValue(const char* key, const char* name) {
  bw::platform::UniqueKey handle;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_SET_VALUE, handle.Receive()) != ERROR_SUCCESS) return;
  RegDeleteValueA(handle.Get(), name);
}

// Shows the page with the given index as a click on its tab does.
bool ShowPage(HWND dialog, int page, int probeControl) {
  const HWND tabs = GetDlgItem(dialog, ids::kPages);
  for (int x = 20 + 60 * page; x < 60 + 60 * page; x += 10) {
    PostMessageA(tabs, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 10));
    PostMessageA(tabs, WM_LBUTTONUP, 0, MAKELPARAM(x, 10));
    if (WaitFor([&] { return IsWindowVisible(GetDlgItem(dialog, probeControl)) != FALSE; }, 2000)) return true;
  }
  return false;
}

// A browser stand-in: this program copied as browser.exe and registered as the handler of
// http and https addresses for the time of a case; each start records its command line.
class RecordingBrowser {
public:
  RecordingBrowser() {
    char base[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, base);
    folder_ = std::string(base) + "bwbrowser-" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(folder_.c_str(), nullptr);
    DeleteFileA(Record().c_str());
    CopyFileA(ThisProgram().c_str(), (folder_ + "browser.exe").c_str(), FALSE);
    const std::string command = "\"" + folder_ + "browser.exe\" \"%1\"";
    for (const char* scheme : {"http", "https"}) {
      const std::string key = std::string("Software\\Classes\\") + scheme + "\\shell\\open\\command";
      bw::platform::UniqueKey handle;
      if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, handle.Receive(),
                          nullptr) != ERROR_SUCCESS)
        continue;
      char old[2048] = {};
      DWORD size = sizeof old - 1;
      DWORD type = 0;
      if (RegQueryValueExA(handle.Get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(old), &size) == ERROR_SUCCESS)
        saved_.push_back({key, old});
      RegSetValueExA(handle.Get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                     static_cast<DWORD>(command.size() + 1));
    }
  }
  RecordingBrowser(const RecordingBrowser&) = delete;
  RecordingBrowser& operator=(const RecordingBrowser&) = delete;
  ~RecordingBrowser() {
    for (const auto& [key, value] : saved_) {
      bw::platform::UniqueKey handle;
      if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_SET_VALUE, handle.Receive()) != ERROR_SUCCESS) continue;
      RegSetValueExA(handle.Get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>(value.size() + 1));
    }
  }

  std::string Record() const { return folder_ + kOpenedRecord; }
  // The command line of the next start, or "<nothing opened>"; the record is used up.
  std::string NextOpened() {
    std::string text = "<nothing opened>";
    // The record is written under another name and moved into place: once there, it is whole.
    if (WaitFor([&] { return Exists(Record()); }, 15000)) {
      text = ReadFile(Record());
      DeleteFileA(Record().c_str());
    }
    return text;
  }

private:
  struct Saved {
    std::string key, value;
  };
  std::string folder_;
  std::vector<Saved> saved_;
};

int RecordAndExit() {
  const std::string record = FolderOf(ThisProgram()) + kOpenedRecord;
  const std::string partial = record + ".part";
  if (FILE* out = std::fopen(partial.c_str(), "wb")) {
    std::fputs(GetCommandLineA(), out);
    std::fclose(out);
    MoveFileExA(partial.c_str(), record.c_str(), MOVEFILE_REPLACE_EXISTING);
  }
  return 0;
}

// ---- cases ---------------------------------------------------------------------------------

WINTEST(Preferences, NewIndentKeyRunOnStartupAndConfigurationFolder) {
  ConfigFolder config("bwprefs", {"moved\\Brackwater.config"});
  const std::string zup = config.Path() + "\\zup\\";
  const std::string moved = config.Path() + "\\moved";
  CreateDirectoryA(zup.c_str(), nullptr);
  CreateDirectoryA(moved.c_str(), nullptr);
  config.Write([&](bw::TStorage& root) {
    bw::General(root).ZupDir = zup;
    auto dev = std::make_unique<bw::TConfigStorage>();
    dev->ConfigName = "Dev";
    dev->Password = "s3cret-pw";
    bw::ConfigsFolder(root).AddChild(std::move(dev));
  });
  DeleteUserValue(kRunKey, "Brackwater");

  Brackwater program;
  ASSERT_TRUE(program.Started());
  ASSERT_TRUE(program.WaitForMainWindow() != nullptr);
  // The default indent key, taken once the start-up has registered the hotkeys.
  EXPECT_TRUE(WaitFor([] { return !KeyIsFree(MOD_CONTROL | MOD_SHIFT, VK_OEM_PERIOD); }, 10000));

  const HWND menu = program.OpenTrayMenu();
  ASSERT_TRUE(menu != nullptr);
  PostMessageA(menu, WM_CHAR, 'p', 1);  // "&Preferences..."
  const HWND dialog = program.WaitForDialog(bw::ui::kPreferencesCaption);
  ASSERT_TRUE(dialog != nullptr);
  EXPECT_EQ(ControlText(GetDlgItem(dialog, ids::kZupDir)), zup);
  EXPECT_EQ(ControlText(GetDlgItem(dialog, ids::kConfigDir)), config.Path());
  const int indentBox = ids::kFirstHotkey + static_cast<int>(bw::HotkeyBox::Indent);
  EXPECT_EQ(ControlText(GetDlgItem(dialog, indentBox)), std::string("Shift+Ctrl+."));

  SendMessageA(GetDlgItem(dialog, ids::kRunOnStartup), BM_SETCHECK, BST_CHECKED, 0);
  SendMessageA(GetDlgItem(dialog, ids::kProtectPasswords), BM_SETCHECK, BST_CHECKED, 0);
  SetText(GetDlgItem(dialog, ids::kConfigDir), moved);
  EXPECT_EQ(ControlText(GetDlgItem(dialog, ids::kNewLinePause)), std::string("150"));
  EXPECT_EQ(ControlText(GetDlgItem(dialog, ids::kCharacterPause)), std::string("0"));
  SetText(GetDlgItem(dialog, ids::kNewLinePause), "400");
  // Out of range: OK says so and the dialog stays; mended, it closes below.
  SetText(GetDlgItem(dialog, ids::kCharacterPause), "101");
  EXPECT_EQ(ControlText(GetDlgItem(dialog, ids::kNewLinePause)), std::string("400"));
  OfferScreenshot("preferences-general");
  PressButton(dialog, IDOK);
  EXPECT_EQ(Answer(program, "Error", IDOK),
            std::string("'Pause between characters' must be a whole number of milliseconds from 0 to 100.\r\n"
                        "Please enter a valid number."));
  EXPECT_TRUE(IsWindow(dialog) != FALSE);
  SetText(GetDlgItem(dialog, ids::kCharacterPause), "20");

  ASSERT_TRUE(ShowPage(dialog, 1, indentBox));
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, ids::kAuthor)));
  // Two boxes with one key keep OK disabled; a key of its own enables it again.
  SetText(GetDlgItem(dialog, indentBox), "shift+ctrl+,");
  EXPECT_TRUE(WaitFor([&] { return !IsWindowEnabled(GetDlgItem(dialog, IDOK)); }, 5000));
  SetText(GetDlgItem(dialog, indentBox), "Shift+Ctrl+J");
  EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(GetDlgItem(dialog, IDOK)) != FALSE; }, 5000));
  // A text that names no key (drawn red in the picture) disables OK until it is mended.
  const HWND openBox = GetDlgItem(dialog, ids::kFirstHotkey + static_cast<int>(bw::HotkeyBox::Open));
  SetText(openBox, "Shift+Ctrl+Foo");
  EXPECT_TRUE(WaitFor([&] { return !IsWindowEnabled(GetDlgItem(dialog, IDOK)); }, 5000));
  OfferScreenshot("preferences-hotkeys");
  SetText(openBox, "Shift+Ctrl+Home");
  EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(GetDlgItem(dialog, IDOK)) != FALSE; }, 5000));

  PressButton(dialog, IDOK);
  ASSERT_TRUE(program.WaitDialogGone(bw::ui::kPreferencesCaption));

  // The configuration file moved at once; the old indent key is free, the new one taken.
  EXPECT_TRUE(WaitFor([&] { return Exists(moved + "\\Brackwater.config"); }, 10000));
  EXPECT_FALSE(Exists(config.ConfigPath()));
  EXPECT_TRUE(WaitFor([] { return KeyIsFree(MOD_CONTROL | MOD_SHIFT, VK_OEM_PERIOD); }, 5000));
  EXPECT_FALSE(KeyIsFree(MOD_CONTROL | MOD_SHIFT, 'J'));
  EXPECT_TRUE(TopWindows(program.Id(), "#32770").empty());  // no hotkey failure box

  // The new key indents the client test double's selected lines.
  Client client = StartFinsql("\"/text=" + WriteScratch("prefs-indent.txt", "one\r\ntwo\r\nrest") +
                              "\" /anchor=1,1 /caret=2,4");
  ASSERT_TRUE(client && BringToFront(client.process->TopWindow()));
  PressHotkey('J');
  EXPECT_EQ(Answer(program, "Confirm", IDYES), std::string("Perform indentation ?"));
  EXPECT_EQ(Answer(program, kBrackwaterTitle, IDNO), std::string("Do you want to repeat (un)indentation ?"));
  EXPECT_EQ(client.WaitForText("  one\r\n  two\r\nrest").Text(), std::string("  one\r\n  two\r\nrest"));
  client.process->Close();

  // Start with Windows is written by the save at exit, into the file's new place.
  EXPECT_EQ(ReadUserValue(kRunKey, "Brackwater"), std::nullopt);
  const DWORD closing = GetTickCount();
  const bool closed = program.Close();
  if (!closed) std::printf("closing took %lu ms\n", GetTickCount() - closing);
  ASSERT_TRUE(closed);
  const auto run = ReadUserValue(kRunKey, "Brackwater");
  EXPECT_TRUE(run.has_value());
  std::string quoted = FolderOf(ThisProgram()) + "Brackwater.exe";  // written quoted
  quoted.insert(quoted.begin(), '"');
  quoted.push_back('"');
  if (run) EXPECT_EQ(Lower(*run), Lower(quoted));
  DeleteUserValue(kRunKey, "Brackwater");
  const auto saved = config.Read();
  ASSERT_TRUE(saved != nullptr);
  EXPECT_EQ(bw::General(*saved).Indent, std::string("Shift+Ctrl+J"));
  EXPECT_EQ(bw::General(*saved).ZupDir, zup);
  EXPECT_EQ(bw::General(*saved).NewLinePause, 400);
  EXPECT_EQ(bw::General(*saved).CharacterPause, 20);
  // The password went through the system's data protection: its clear bytes are nowhere in the
  // deciphered file, and it opens again for this user.
  EXPECT_TRUE(bw::General(*saved).ProtectPasswords);
  const std::string stored = bw::Config(*saved, 0).Password;
  EXPECT_EQ(stored.rfind(bw::kProtectedPasswordPrefix, 0), std::size_t{0});
  const auto file = bw::calclient::ReadWholeFile(moved + "\\Brackwater.config");
  const auto plain = bw::DecipherSettings(std::span(reinterpret_cast<const std::uint8_t*>(file.data()), file.size()));
  ASSERT_TRUE(plain.has_value());
  EXPECT_EQ(std::string(plain->begin(), plain->end()).find("s3cret-pw"), std::string::npos);
  bw::platform::Win32SecretProtection protection;
  EXPECT_EQ(bw::UnprotectPassword(stored, protection), std::optional<std::string>("s3cret-pw"));
}

WINTEST(About, BoxWhatsNewLinkAndVersionCheck) {
  ConfigFolder config("bwabout");
  RecordingBrowser browser;
  Brackwater program;
  ASSERT_TRUE(program.Started());
  ASSERT_TRUE(program.WaitForMainWindow() != nullptr);

  const HWND menu = program.OpenTrayMenu();
  ASSERT_TRUE(menu != nullptr);
  PostMessageA(menu, WM_CHAR, 'a', 1);  // "&About..."
  const HWND box = program.WaitForDialog("About");
  ASSERT_TRUE(box != nullptr);
  EXPECT_EQ(WindowText(GetDlgItem(box, about::kApplicationName)), std::string("Brackwater for Dynamics NAV"));
  EXPECT_EQ(WindowText(GetDlgItem(box, about::kVersion)), std::string("1.0.0.0"));
  EXPECT_EQ(WindowText(GetDlgItem(box, about::kCompany)), std::string("Brackwater"));
  EXPECT_EQ(WindowText(GetDlgItem(box, about::kCopyright)), std::string("Copyright (C) The Brackwater developers"));
  const std::string internet = WindowText(GetDlgItem(box, about::kInternet));
  EXPECT_EQ(internet, std::string("https://brackwater.example.org"));
  EXPECT_TRUE(SendMessageA(GetDlgItem(box, about::kImage), STM_GETICON, 0, 0) != 0);
  EXPECT_TRUE(IsWindowVisible(GetDlgItem(box, about::kWhatsNewButton)) != FALSE);
  OfferScreenshot("about-box");

  // The link label opens its address.
  const HWND link = GetDlgItem(box, about::kInternet);
  PostMessageA(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageA(link, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  std::string opened = browser.NextOpened();
  EXPECT_TRUE(opened.find("\"" + internet + "\"") != std::string::npos);
  if (opened.find(internet) == std::string::npos) std::printf("opened: %s\n", opened.c_str());

  // The release history, newest first, in a window sized by its lines.
  PressButton(box, about::kWhatsNewButton);
  HWND news = nullptr;
  ASSERT_TRUE(WaitFor([&] {
    const auto found = TopWindows(program.Id(), "#32770", std::string(bw::kWhatsNewCaption));
    news = found.empty() ? nullptr : found.front();
    return news != nullptr;
  }));
  const HWND memo = GetDlgItem(news, about::kMemo);
  const std::string history = ControlText(memo);
  EXPECT_EQ(history.substr(0, 14), std::string("Version 1.0.0\r"));
  std::size_t lines = 1;
  for (const char c : history) lines += c == '\n';
  RECT frame{};
  GetWindowRect(news, &frame);
  EXPECT_EQ(frame.bottom - frame.top, bw::WhatsNewHeight(lines));
  EXPECT_EQ(frame.right - frame.left, bw::kWhatsNewWidth);
  EXPECT_TRUE((GetWindowLongA(news, GWL_EXSTYLE) & WS_EX_LAYERED) != 0);
  EXPECT_TRUE((GetWindowLongA(memo, GWL_STYLE) & (ES_READONLY | WS_VSCROLL)) == (ES_READONLY | WS_VSCROLL));
  OfferScreenshot("whats-new");
  PressButton(news, IDCANCEL);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(news); }, 10000));
  PressButton(box, IDOK);
  EXPECT_TRUE(program.WaitDialogGone("About"));

  // "Check for New Version..." hands the version-check page to the browser.
  PostMessageA(program.MainWindow(), WM_COMMAND, bw::win32::kCheckVersionCommand, 0);
  opened = browser.NextOpened();
  EXPECT_TRUE(opened.find("\"https://brackwater.example.org/?page=version&check=1.0.0.0\"") != std::string::npos);
  if (opened.find("check=") == std::string::npos) std::printf("opened: %s\n", opened.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  if (BaseNameLower(ThisProgram()) == "browser.exe") return RecordAndExit();
  return bw::wintest::RunAll(argc, argv);
}
