// The Windows layer under the settings core, against the real API (run under Wine).
#include <windows.h>
#include <aclapi.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32/unique_resource.h"
#include "platform/win32/win32_environment.h"
#include "platform/win32/win32_file_listing.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_key_names.h"
#include "platform/win32/win32_messages.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/wide_path.h"
#include "settings/config_file.h"
#include "settings/storage.h"
#include "wintest.h"

using namespace bw::platform;

namespace {

const std::string kTestKey = "Software\\BrackwaterTest\\Platform";

std::vector<std::uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

std::string Text(const std::optional<std::vector<std::uint8_t>>& bytes) {
  return bytes ? std::string(bytes->begin(), bytes->end()) : std::string("<unreadable>");
}

// A fresh, empty folder under the temporary folder, removed with its files afterwards.
class ScratchFolder {
public:
  ScratchFolder() {
    char base[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, base);
    path_ = std::string(base) + "bwtest-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter_);
    Win32FileSystem().CreateFolders(path_);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  ~ScratchFolder() { RemoveTree(path_); }

  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "\\" + name; }

  // Names of the entries directly in the folder.
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    const UniqueFindHandle search(FindFirstFileA((path_ + "\\*").c_str(), &found));
    if (!search) return names;
    do {
      const std::string name = found.cFileName;
      if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(search.Get(), &found));
    return names;
  }

private:
  static void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA found{};
    if (const UniqueFindHandle search(FindFirstFileA((folder + "\\*").c_str(), &found)); search) {
      do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        const std::string full = folder + "\\" + name;
        SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(full); else DeleteFileA(full.c_str());
      } while (FindNextFileA(search.Get(), &found));
    }
    RemoveDirectoryA(folder.c_str());
  }

  static inline int counter_ = 0;
  std::string path_;
};

}  // namespace

// --- Environment -------------------------------------------------------------------------------

WINTEST(Environment, AppDataFolderExistsWithoutTrailingDelimiter) {
  Win32Environment environment;
  const std::string folder = environment.AppDataFolder();
  ASSERT_TRUE(!folder.empty());
  EXPECT_TRUE(folder.back() != '\\');
  EXPECT_TRUE(Win32FileSystem().FolderExists(folder));
}

WINTEST(Environment, UserAndProgram) {
  Win32Environment environment;
  EXPECT_FALSE(environment.UserName().empty());
  const std::string program = environment.ProgramPath();
  EXPECT_TRUE(Win32FileSystem().FileExists(program));
  EXPECT_EQ(ProgramBaseName(program), std::string("settings_platform_wintest"));
}

// --- Registry ----------------------------------------------------------------------------------

WINTEST(Registry, WriteReadOverwriteDelete) {
  Win32Registry registry;
  registry.DeleteKey(kTestKey);
  EXPECT_FALSE(registry.ReadString(kTestKey, "Folder").has_value());  // missing key

  ASSERT_TRUE(registry.WriteString(kTestKey, "Folder", "C:\\Data\\Nav"));  // creates the key
  EXPECT_EQ(registry.ReadString(kTestKey, "Folder"), std::optional<std::string>("C:\\Data\\Nav"));
  EXPECT_FALSE(registry.ReadString(kTestKey, "Other").has_value());  // missing value, key present

  const std::string longText(5000, 'x');
  ASSERT_TRUE(registry.WriteString(kTestKey, "Folder", longText));
  EXPECT_EQ(registry.ReadString(kTestKey, "Folder"), std::optional<std::string>(longText));

  ASSERT_TRUE(registry.WriteString(kTestKey, "Folder", ""));
  EXPECT_EQ(registry.ReadString(kTestKey, "Folder"), std::optional<std::string>(""));

  EXPECT_TRUE(registry.DeleteValue(kTestKey, "Folder"));
  EXPECT_FALSE(registry.ReadString(kTestKey, "Folder").has_value());
  EXPECT_TRUE(registry.DeleteValue(kTestKey, "Folder"));           // already gone
  EXPECT_TRUE(registry.DeleteKey(kTestKey));
  EXPECT_TRUE(registry.DeleteValue(kTestKey, "Folder"));           // key gone too
  EXPECT_TRUE(registry.DeleteKey(kTestKey));
}

WINTEST(Registry, Utf8TextAndLeadingDelimiter) {
  Win32Registry registry;
  // Letters of the ANSI code page and outside it ("Kr\u00E6mmerhus \u00D8st \u0411\u0440\u044D\u043A"),
  // as UTF-8; the registry itself holds the characters.
  const std::string text = "Kr\xC3\xA6mmerhus \xC3\x98st \xD0\x91\xD1\x80\xD1\x8D\xD0\xBA";
  ASSERT_TRUE(registry.WriteString("\\" + kTestKey + "\\", "Name", text));
  EXPECT_EQ(registry.ReadString(kTestKey, "Name"), std::optional<std::string>(text));
  wchar_t stored[64] = {};
  DWORD size = sizeof stored;
  EXPECT_TRUE(RegGetValueW(HKEY_CURRENT_USER, WidePath(kTestKey).c_str(), L"Name", RRF_RT_REG_SZ, nullptr, stored,
                           &size) == ERROR_SUCCESS);
  EXPECT_TRUE(std::wstring(stored) == L"Kr\u00E6mmerhus \u00D8st \u0411\u0440\u044D\u043A");
  EXPECT_FALSE(registry.WriteString(kTestKey, "Name", "Kr\xE6"));  // not UTF-8: refused, not garbled
  EXPECT_EQ(registry.ReadString(kTestKey, "Name"), std::optional<std::string>(text));
  EXPECT_TRUE(registry.DeleteKey("\\" + kTestKey));
  EXPECT_FALSE(registry.ReadString(kTestKey, "Name").has_value());
}

WINTEST(Registry, ValueOfAnotherTypeReadsAsMissing) {
  Win32Registry registry;
  ASSERT_TRUE(registry.WriteString(kTestKey, "Name", "x"));
  {
    UniqueKey key;
    ASSERT_TRUE(RegOpenKeyExA(HKEY_CURRENT_USER, kTestKey.c_str(), 0, KEY_SET_VALUE, key.Receive()) == ERROR_SUCCESS);
    const DWORD number = 7;
    RegSetValueExA(key.Get(), "Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
  }
  EXPECT_FALSE(registry.ReadString(kTestKey, "Number").has_value());
  EXPECT_TRUE(registry.DeleteKey(kTestKey));
}

// --- Files -------------------------------------------------------------------------------------

WINTEST(Files, WriteAtomicCreatesAndReplacesLeavingNoTemporaryFile) {
  ScratchFolder folder;
  Win32FileSystem files;
  const std::string path = folder.File("Brackwater.config");
  ASSERT_TRUE(files.WriteAtomic(path, Bytes("first version")));
  EXPECT_EQ(Text(files.ReadAll(path, 1024)), std::string("first version"));
  ASSERT_TRUE(files.WriteAtomic(path, Bytes("second")));
  EXPECT_EQ(Text(files.ReadAll(path, 1024)), std::string("second"));
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"Brackwater.config"});
  ASSERT_TRUE(files.WriteAtomic(path, {}));
  EXPECT_EQ(Text(files.ReadAll(path, 1024)), std::string());
}

// What a save must keep of the file it replaces: the stored logins' only protection is the file's
// access list, and a user may have hidden the file.
struct FileProtection {
  bool hidden = false;
  bool protectedList = false;
  DWORD entries = 0;
  bool ownerOnly = false;  // the one entry is the current user's
};

std::vector<std::uint8_t> CurrentUserSid() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return {};
  std::vector<std::uint8_t> buffer(512);
  DWORD size = 0;
  const BOOL got = GetTokenInformation(token, TokenUser, buffer.data(), static_cast<DWORD>(buffer.size()), &size);
  CloseHandle(token);
  if (!got) return {};
  const PSID sid = reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid;
  const auto* bytes = static_cast<const std::uint8_t*>(sid);
  return {bytes, bytes + GetLengthSid(sid)};
}

// Leaves only the current user, reading and writing; nothing inherited.
bool MakeOwnerOnly(const std::string& path, std::vector<std::uint8_t>& sid) {
  std::vector<std::uint8_t> aclBuffer(sizeof(ACL) + sizeof(ACCESS_ALLOWED_ACE) + sid.size());
  auto* acl = reinterpret_cast<PACL>(aclBuffer.data());
  if (!InitializeAcl(acl, static_cast<DWORD>(aclBuffer.size()), ACL_REVISION) ||
      !AddAccessAllowedAce(acl, ACL_REVISION, FILE_GENERIC_READ | FILE_GENERIC_WRITE | DELETE, sid.data()))
    return false;
  std::wstring wide(path.begin(), path.end());
  return SetNamedSecurityInfoW(wide.data(), SE_FILE_OBJECT,
                               DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION, nullptr, nullptr,
                               acl, nullptr) == ERROR_SUCCESS;
}

FileProtection ProtectionOf(const std::string& path, std::vector<std::uint8_t>& sid) {
  FileProtection seen;
  const DWORD attributes = GetFileAttributesA(path.c_str());
  seen.hidden = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_HIDDEN);
  std::wstring wide(path.begin(), path.end());
  PACL acl = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (GetNamedSecurityInfoW(wide.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &acl, nullptr,
                            &descriptor) != ERROR_SUCCESS)
    return seen;
  SECURITY_DESCRIPTOR_CONTROL control = 0;
  DWORD revision = 0;
  GetSecurityDescriptorControl(descriptor, &control, &revision);
  seen.protectedList = (control & SE_DACL_PROTECTED) != 0;
  if (acl != nullptr) {
    seen.entries = acl->AceCount;
    void* entry = nullptr;
    if (acl->AceCount == 1 && GetAce(acl, 0, &entry)) {
      auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(entry);
      seen.ownerOnly = allowed->Header.AceType == ACCESS_ALLOWED_ACE_TYPE && EqualSid(&allowed->SidStart, sid.data());
    }
  }
  LocalFree(descriptor);
  return seen;
}

WINTEST(Files, AReplacingSaveKeepsTheHiddenAttributeAndAnOwnerOnlyAccessList) {
  ScratchFolder folder;
  Win32FileSystem files;
  const std::string path = folder.File("Brackwater.config");
  ASSERT_TRUE(files.WriteAtomic(path, Bytes("first version")));
  auto sid = CurrentUserSid();
  ASSERT_TRUE(!sid.empty());
  ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN) != FALSE);
  ASSERT_TRUE(MakeOwnerOnly(path, sid));
  const FileProtection before = ProtectionOf(path, sid);
  ASSERT_TRUE(before.hidden);

  ASSERT_TRUE(files.WriteAtomic(path, Bytes("second")));
  EXPECT_EQ(Text(files.ReadAll(path, 1024)), std::string("second"));
  const FileProtection after = ProtectionOf(path, sid);
  EXPECT_TRUE(after.hidden);
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"Brackwater.config"});
  if (before.protectedList && before.ownerOnly) {
    EXPECT_TRUE(after.protectedList);
    EXPECT_EQ(after.entries, DWORD{1});
    EXPECT_TRUE(after.ownerOnly);
  } else {
    std::printf("note: this file system keeps no access lists; only the attribute is checked\n");
  }
}

WINTEST(Files, WriteAtomicFailsCleanlyOnMissingFolderAndReadOnlyFile) {
  ScratchFolder folder;
  Win32FileSystem files;
  EXPECT_FALSE(files.WriteAtomic(folder.File("missing\\Brackwater.config"), Bytes("x")));
  EXPECT_TRUE(folder.Entries().empty());

  const std::string path = folder.File("Brackwater.config");
  ASSERT_TRUE(files.WriteAtomic(path, Bytes("kept")));
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_FALSE(files.WriteAtomic(path, Bytes("lost")));
  EXPECT_EQ(Text(files.ReadAll(path, 1024)), std::string("kept"));
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"Brackwater.config"});
}

WINTEST(Files, AReaderNeverMakesASaveFailAndABriefHolderIsWaitedFor) {
  ScratchFolder folder;
  Win32FileSystem files;
  const std::string path = folder.File("Brackwater.config");
  ASSERT_TRUE(files.WriteAtomic(path, Bytes("old")));

  // Our own reader shares deletion: a save replaces the file while it is open.
  UniqueHandle ours(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(ours.Valid());
  EXPECT_EQ(Text(files.ReadAll(path, 16)), std::string("old"));
  ours.Reset();

  // Another program holds the file without sharing deletion for a moment: the save waits it out.
  UniqueHandle held(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(held.Valid());
  std::thread release([held = std::move(held)]() mutable {
    Sleep(200);
    held.Reset();
  });
  const bool saved = files.WriteAtomic(path, Bytes("new"));
  release.join();
  EXPECT_TRUE(saved);
  EXPECT_EQ(Text(files.ReadAll(path, 16)), std::string("new"));
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"Brackwater.config"});
}

WINTEST(Files, ReadAllHonoursTheSizeCap) {
  ScratchFolder folder;
  Win32FileSystem files;
  const std::string path = folder.File("ten.bin");
  ASSERT_TRUE(files.WriteAtomic(path, Bytes("0123456789")));
  EXPECT_FALSE(files.ReadAll(path, 9).has_value());
  EXPECT_EQ(Text(files.ReadAll(path, 10)), std::string("0123456789"));
  EXPECT_FALSE(files.ReadAll(folder.File("absent.bin"), 10).has_value());

  // Binary content comes back byte for byte, including zero bytes and a large size.
  std::vector<std::uint8_t> large(3 * 1024 * 1024 + 5);
  for (std::size_t i = 0; i < large.size(); ++i) large[i] = static_cast<std::uint8_t>(i * 7);
  ASSERT_TRUE(files.WriteAtomic(path, large));
  const auto back = files.ReadAll(path, large.size());
  ASSERT_TRUE(back.has_value());
  EXPECT_TRUE(*back == large);
}

WINTEST(Files, RenameRefusesAnExistingTargetRenameReplacingReplaces) {
  ScratchFolder folder;
  Win32FileSystem files;
  const std::string a = folder.File("a.config");
  const std::string b = folder.File("b.config");
  ASSERT_TRUE(files.WriteAtomic(a, Bytes("A")));
  ASSERT_TRUE(files.WriteAtomic(b, Bytes("B")));

  EXPECT_FALSE(files.Rename(a, b));
  EXPECT_EQ(Text(files.ReadAll(a, 16)), std::string("A"));
  EXPECT_EQ(Text(files.ReadAll(b, 16)), std::string("B"));
  EXPECT_FALSE(files.Rename(a, folder.File("missing\\a.config")));
  EXPECT_TRUE(files.FileExists(a));

  ASSERT_TRUE(files.RenameReplacing(a, b));
  EXPECT_FALSE(files.FileExists(a));
  EXPECT_EQ(Text(files.ReadAll(b, 16)), std::string("A"));

  ASSERT_TRUE(files.Rename(b, a));
  EXPECT_FALSE(files.FileExists(b));
  EXPECT_TRUE(files.FileExists(a));
}

WINTEST(Files, AttributesCopyDeleteAndFolders) {
  ScratchFolder folder;
  Win32FileSystem files;
  const std::string path = folder.File("f.txt");
  ASSERT_TRUE(files.WriteAtomic(path, Bytes("text")));
  EXPECT_TRUE(files.FileExists(path));
  EXPECT_FALSE(files.FolderExists(path));
  EXPECT_TRUE(files.FolderExists(folder.Path()));
  EXPECT_FALSE(files.FileExists(folder.Path()));

  EXPECT_FALSE(files.IsReadOnly(path));
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_TRUE(files.IsReadOnly(path));
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_FALSE(files.IsReadOnly(path));
  EXPECT_FALSE(files.IsReadOnly(folder.File("absent.txt")));

  const std::string copy = folder.File("g.txt");
  ASSERT_TRUE(files.Copy(path, copy));
  EXPECT_EQ(Text(files.ReadAll(copy, 16)), std::string("text"));
  EXPECT_TRUE(files.Delete(copy));
  EXPECT_FALSE(files.FileExists(copy));
  EXPECT_FALSE(files.Delete(copy));

  const std::string nested = folder.File("one\\two/three");
  EXPECT_TRUE(files.CreateFolders(nested));
  EXPECT_TRUE(files.FolderExists(folder.File("one\\two\\three")));
  EXPECT_TRUE(files.CreateFolders(nested));  // already there
  EXPECT_FALSE(files.CreateFolders(path + "\\sub"));  // under a file
}

// --- Key names ---------------------------------------------------------------------------------

WINTEST(KeyNames, PunctuationKeysOfTheUsLayout) {
  Win32KeyNames keys;
  EXPECT_EQ(keys.LayoutKeyName(0xBE), std::string("."));
  EXPECT_EQ(keys.LayoutKeyName(0xBC), std::string(","));
  EXPECT_EQ(keys.LayoutKeyName(0xDD), std::string("]"));
  EXPECT_EQ(keys.LayoutKeyName(0xDB), std::string("["));
  EXPECT_EQ(keys.LayoutKeyName(0xBF), std::string("/"));
  EXPECT_EQ(keys.LayoutKeyName('T'), std::string("T"));
  EXPECT_EQ(keys.LayoutKeyName(0x07), std::string());  // no key has this code
}

// --- Message boxes -----------------------------------------------------------------------------

namespace {

struct BoxSeen {
  bool found = false;
  bool centred = false;
  bool closedByKey = false;
};

// On its own thread: finds the message box with the caption, notes where it stands, presses a
// key in it and waits for it to close. Every wait is bounded; a box that does not close on the
// key is answered by force so that the test thread never hangs.
class BoxAnswerer {
public:
  BoxAnswerer(std::string caption, WPARAM key) : caption_(std::move(caption)), key_(key), thread_([this] { Run(); }) {}
  BoxAnswerer(const BoxAnswerer&) = delete;
  BoxAnswerer& operator=(const BoxAnswerer&) = delete;
  ~BoxAnswerer() { if (thread_.joinable()) thread_.join(); }

  BoxSeen Finish() {
    thread_.join();
    return seen_;
  }

private:
  void Run() {
    HWND box = nullptr;
    // The box exists hidden while it is laid out; it is placed once it shows.
    for (int i = 0; i < 200 && !(box && IsWindowVisible(box)); ++i) {
      box = FindWindowA("#32770", caption_.c_str());
      if (!(box && IsWindowVisible(box))) Sleep(50);
    }
    if (!box) {
      // A box with an unexpected caption would block the test thread: close it.
      for (const char* other : {"Error", "Warning", "Information", "Confirm"})
        if (HWND stray = FindWindowA("#32770", other)) ForceClose(stray);
      return;
    }
    seen_.found = true;
    RECT rect{};
    GetWindowRect(box, &rect);
    const long dx = (rect.left + rect.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2;
    const long dy = (rect.top + rect.bottom) / 2 - GetSystemMetrics(SM_CYSCREEN) / 2;
    seen_.centred = std::labs(dx) <= 40 && std::labs(dy) <= 60;

    PostMessageA(box, WM_KEYDOWN, key_, 0);
    for (int i = 0; i < 100 && IsWindow(box); ++i) Sleep(50);
    seen_.closedByKey = !IsWindow(box);
    if (!seen_.closedByKey) ForceClose(box);
  }

  static void ForceClose(HWND box) {
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    PostMessageA(box, WM_COMMAND, IDYES, 0);
  }

  std::string caption_;
  WPARAM key_;
  BoxSeen seen_;
  std::thread thread_;
};

}  // namespace

WINTEST(Messages, EachKindShowsItsCaptionCentredOnTheScreen) {
  Win32Messages messages;
  const std::pair<MessageKind, const char*> kinds[] = {
      {MessageKind::Error, "Error"}, {MessageKind::Warning, "Warning"}, {MessageKind::Information, "Information"}};
  for (const auto& [kind, caption] : kinds) {
    BoxAnswerer answerer(caption, VK_RETURN);
    messages.Show(kind, "The Brackwater configuration file is marked readonly.\r\n(C:\\x)");
    const BoxSeen seen = answerer.Finish();
    EXPECT_TRUE(seen.found);
    EXPECT_TRUE(seen.centred);
    EXPECT_TRUE(seen.closedByKey);
  }
}

WINTEST(Messages, ConfirmDefaultsToYesAndEscapeAnswersNo) {
  Win32Messages messages;
  {
    BoxAnswerer answerer("Confirm", VK_RETURN);  // an empty caption means "Confirm"
    EXPECT_TRUE(messages.Confirm("", "Delete the template ?"));
    const BoxSeen seen = answerer.Finish();
    EXPECT_TRUE(seen.found);
    EXPECT_TRUE(seen.centred);
  }
  {
    BoxAnswerer answerer("Brackwater for Dynamics NAV", VK_ESCAPE);
    EXPECT_FALSE(messages.Confirm("Brackwater for Dynamics NAV", "Are you sure you want to exit ?"));
    const BoxSeen seen = answerer.Finish();
    EXPECT_TRUE(seen.found);
    EXPECT_TRUE(seen.closedByKey);
  }
}

// --- The configuration file through the real registry and files ----------------------------

namespace {

// The real environment, but the program is called BrackwaterTest: its registry key and file
// names stay apart from a real installation's.
class TestProgramEnvironment final : public Environment {
public:
  std::string UserName() override { return real_.UserName(); }
  std::string AppDataFolder() override { return real_.AppDataFolder(); }
  std::string ProgramPath() override {
    const std::string real = real_.ProgramPath();
    return real.substr(0, real.find_last_of('\\') + 1) + "BrackwaterTest.exe";
  }

private:
  Win32Environment real_;
};

// Nothing in a clean round trip asks the user anything; a box here would block the test.
class UnexpectedMessages final : public Messages {
public:
  void Show(MessageKind, std::string_view text) override { shown.emplace_back(text); }
  bool Confirm(std::string_view, std::string_view text) override {
    shown.emplace_back(text);
    return false;
  }
  std::vector<std::string> shown;
};

struct RealSettingsPlatform {
  TestProgramEnvironment environment;
  Win32Registry registry;
  Win32FileSystem files;
  UnexpectedMessages messages;
  Win32KeyNames keys;
  bw::SettingsPlatform platform{environment, registry, files, messages, keys};

  const std::string locationKey = "Software\\BrackwaterTest\\Config Location";
  const std::string runKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
  std::string DefaultPath() { return environment.AppDataFolder() + "\\Brackwater\\BrackwaterTest.config"; }

  RealSettingsPlatform() { Clean(); }
  ~RealSettingsPlatform() { Clean(); }
  RealSettingsPlatform(const RealSettingsPlatform&) = delete;
  RealSettingsPlatform& operator=(const RealSettingsPlatform&) = delete;

  void Clean() {
    files.Delete(DefaultPath());
    registry.DeleteKey(locationKey);
    registry.DeleteKey("Software\\BrackwaterTest");
    registry.DeleteValue(runKey, "BrackwaterTest");
  }
};

void AddDevConfiguration(bw::TStorage& root) {
  auto config = std::make_unique<bw::TConfigStorage>();
  config->ConfigName = "Dev";
  config->ExecutablePath = "C:\\NAV\\Client\\fin.exe";
  config->Port = 2407;
  config->Password = "s\xE6t";
  bw::ConfigsFolder(root).AddChild(std::move(config));
}

void ExpectDevConfiguration(const bw::TStorage& root) {
  ASSERT_EQ(bw::ConfigsFolder(root).ChildCount(), 1);
  const auto& config = bw::Config(root, 0);
  EXPECT_EQ(config.ConfigName, std::string("Dev"));
  EXPECT_EQ(config.Port, 2407);
  EXPECT_EQ(config.Password, std::string("s\xE6t"));
}

}  // namespace

WINTEST(ConfigFile, SaveLoadAndStartWithWindows) {
  RealSettingsPlatform real;
  bw::ConfigFile file(real.platform);
  EXPECT_EQ(file.Path(), real.DefaultPath());

  auto first = file.Load();  // no file yet: the default tree
  ASSERT_TRUE(first.root != nullptr);
  EXPECT_FALSE(first.autoStart);
  bw::General(*first.root).Author = "S\xF8ren";
  AddDevConfiguration(*first.root);
  file.Save(*first.root, true);
  EXPECT_TRUE(real.files.FileExists(real.DefaultPath()));
  EXPECT_EQ(real.registry.ReadString(real.runKey, "BrackwaterTest"),
            std::optional<std::string>('"' + real.environment.ProgramPath() + '"'));

  auto second = bw::ConfigFile(real.platform).Load();
  ASSERT_TRUE(second.root != nullptr);
  EXPECT_TRUE(second.autoStart);
  EXPECT_EQ(bw::General(*second.root).Author, std::string("S\xF8ren"));
  ExpectDevConfiguration(*second.root);

  file.Save(*second.root, false);
  EXPECT_FALSE(real.registry.ReadString(real.runKey, "BrackwaterTest").has_value());
  EXPECT_FALSE(bw::ConfigFile(real.platform).Load().autoStart);
  EXPECT_TRUE(real.messages.shown.empty());
}

WINTEST(ConfigFile, RelocateMovesTheFileAndClearingMovesItBack) {
  RealSettingsPlatform real;
  ScratchFolder elsewhere;
  {
    bw::ConfigFile file(real.platform);
    auto loaded = file.Load();
    AddDevConfiguration(*loaded.root);
    file.Save(*loaded.root, false);
  }
  ASSERT_TRUE(real.files.FileExists(real.DefaultPath()));

  bw::ConfigFile file(real.platform);
  file.Load();
  file.Relocate(elsewhere.Path() + "\\");
  const std::string moved = elsewhere.File("BrackwaterTest.config");
  EXPECT_EQ(real.registry.ReadString(real.locationKey, "Folder"), std::optional<std::string>(elsewhere.Path() + "\\"));
  EXPECT_EQ(file.Path(), moved);
  EXPECT_TRUE(real.files.FileExists(moved));
  EXPECT_FALSE(real.files.FileExists(real.DefaultPath()));
  {
    auto there = bw::ConfigFile(real.platform).Load();
    ExpectDevConfiguration(*there.root);
  }

  file.Relocate("");
  EXPECT_FALSE(real.registry.ReadString(real.locationKey, "Folder").has_value());
  EXPECT_EQ(file.Path(), real.DefaultPath());
  EXPECT_TRUE(real.files.FileExists(real.DefaultPath()));
  EXPECT_FALSE(real.files.FileExists(moved));
  auto back = bw::ConfigFile(real.platform).Load();
  ExpectDevConfiguration(*back.root);
  EXPECT_TRUE(real.messages.shown.empty());
}

WINTEST(ConfigFile, ReadOnlyFileWarnsOnceAndIsNotOverwritten) {
  RealSettingsPlatform real;
  {
    bw::ConfigFile file(real.platform);
    auto loaded = file.Load();
    AddDevConfiguration(*loaded.root);
    file.Save(*loaded.root, false);
  }
  SetFileAttributesA(real.DefaultPath().c_str(), FILE_ATTRIBUTE_READONLY);
  bw::ConfigFile file(real.platform);
  auto loaded = file.Load();
  ExpectDevConfiguration(*loaded.root);
  ASSERT_EQ(real.messages.shown.size(), std::size_t{1});
  EXPECT_TRUE(real.messages.shown[0].find(real.DefaultPath()) != std::string::npos);

  bw::ConfigsFolder(*loaded.root).ClearChildren();
  file.Save(*loaded.root, false);  // fails silently
  EXPECT_EQ(real.messages.shown.size(), std::size_t{1});
  SetFileAttributesA(real.DefaultPath().c_str(), FILE_ATTRIBUTE_NORMAL);
  ExpectDevConfiguration(*bw::ConfigFile(real.platform).Load().root);
}

WINTEST(ConfigFile, AFileThatAppearsWhileRunningIsKeptAndTheSessionSavedBesideIt) {
  RealSettingsPlatform real;
  ScratchFolder scratch;
  const std::string share = scratch.File("share");  // a network drive not yet connected
  real.registry.WriteString(real.locationKey, "Folder", share);
  bw::ConfigFile file(real.platform);
  auto loaded = file.Load();
  AddDevConfiguration(*loaded.root);
  ASSERT_TRUE(real.files.CreateFolders(share));
  const std::string path = share + "\\BrackwaterTest.config";
  ASSERT_TRUE(real.files.WriteAtomic(path, Bytes("the team's")));

  file.Save(*loaded.root, false);
  file.Save(*loaded.root, false);
  EXPECT_EQ(Text(real.files.ReadAll(path, 1024)), std::string("the team's"));
  ASSERT_EQ(real.messages.shown.size(), std::size_t{1});
  EXPECT_TRUE(real.messages.shown[0].find(path + ".unsaved") != std::string::npos);
  real.registry.WriteString(real.locationKey, "Folder", scratch.Path());
  ASSERT_TRUE(real.files.RenameReplacing(path + ".unsaved", scratch.File("BrackwaterTest.config")));
  ExpectDevConfiguration(*bw::ConfigFile(real.platform).Load().root);
}

int main(int argc, char** argv) { return bw::wintest::RunAll(argc, argv); }

// A user profile and an install folder named in Cyrillic on a machine whose ANSI code page is
// 1252: the settings are saved in that profile, the watcher library loads from that folder and
// the Run value names the program there.
WINTEST(ConfigFile, FoldersNamedOutsideTheAnsiCodePage) {
  const std::string cyrillic = "\xD0\x91\xD1\x80\xD1\x8D\xD0\xBA\xD1\x83\xD0\xBE\xD1\x82\xD0\xB5\xD1\x80";  // Брэкуотер
  Win32Environment real;
  const std::string ours = real.ProgramPath().substr(0, real.ProgramPath().find_last_of('\\') + 1);
  const std::string top = real.AppDataFolder() + "\\bwtest-" + std::to_string(GetCurrentProcessId()) + "-" + cyrillic;
  const std::string profile = top + "\\" + cyrillic + " AppData";
  const std::string install = top + "\\" + cyrillic;
  Win32FileSystem files;
  ASSERT_TRUE(files.CreateFolders(profile) && files.CreateFolders(install));
  ASSERT_TRUE(files.Copy(ours + "BWMsgWatch.dll", install + "\\BWMsgWatch.dll"));

  class CyrillicEnvironment final : public Environment {
  public:
    CyrillicEnvironment(std::string appData, std::string program) : appData_(std::move(appData)), program_(std::move(program)) {}
    std::string UserName() override { return "test"; }
    std::string AppDataFolder() override { return appData_; }
    std::string ProgramPath() override { return program_; }
  private:
    std::string appData_, program_;
  } environment(profile, install + "\\BrackwaterTest.exe");
  Win32Registry registry;
  UnexpectedMessages messages;
  Win32KeyNames keys;
  bw::SettingsPlatform platform{environment, registry, files, messages, keys};
  const std::string runKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
  registry.DeleteKey("Software\\BrackwaterTest");
  {
    bw::ConfigFile file(platform);
    auto loaded = file.Load();
    ASSERT_TRUE(loaded.root != nullptr);
    EXPECT_EQ(bw::General(*loaded.root).ZupDir, std::string());  // no ANSI name: left for the user to choose
    AddDevConfiguration(*loaded.root);
    file.Save(*loaded.root, true);
  }
  const std::string saved = profile + "\\Brackwater\\BrackwaterTest.config";
  EXPECT_TRUE(GetFileAttributesW(WidePath(saved).c_str()) != INVALID_FILE_ATTRIBUTES);
  ExpectDevConfiguration(*bw::ConfigFile(platform).Load().root);
  EXPECT_EQ(Win32FileListing().FileNames(profile + "\\Brackwater\\"), std::vector<std::string>{"BrackwaterTest.config"});

  wchar_t run[MAX_PATH] = {};
  DWORD size = sizeof run;
  EXPECT_TRUE(RegGetValueW(HKEY_CURRENT_USER, WidePath(runKey).c_str(), L"BrackwaterTest", RRF_RT_REG_SZ, nullptr, run,
                           &size) == ERROR_SUCCESS);
  EXPECT_TRUE(std::wstring(run) == L"\"" + WidePath(install) + L"\\BrackwaterTest.exe\"");

  const UniqueModule watcher(LoadLibraryW(WidePath(install + "\\BWMsgWatch.dll").c_str()));
  EXPECT_TRUE(watcher.Valid());
  wchar_t wideFrom[MAX_PATH] = {};
  GetModuleFileNameW(watcher.Get(), wideFrom, MAX_PATH);
  EXPECT_EQ(Utf8Path(wideFrom), install + "\\BWMsgWatch.dll");
  EXPECT_TRUE(messages.shown.empty());

  registry.DeleteValue(runKey, "BrackwaterTest");
  registry.DeleteKey("Software\\BrackwaterTest");
  for (const std::string& file : {saved, install + "\\BWMsgWatch.dll"}) files.Delete(file);
  for (const std::string& folder : {profile + "\\Brackwater", profile, install, top})
    RemoveDirectoryW(WidePath(folder).c_str());
}
