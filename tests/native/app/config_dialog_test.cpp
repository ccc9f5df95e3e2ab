#include "app/config_dialog.h"

#include <gtest/gtest.h>

#include "launch/navision_item_dialog.h"
#include "platform/fake/recording_messages.h"
#include "platform/native/native_file_system.h"
#include "platform/native/us_key_names.h"

namespace bw {
namespace {

class NoFileDialogs final : public platform::FileDialogs {
public:
  std::optional<std::string> OpenFile(const platform::OpenFileRequest&) override { return std::nullopt; }
  std::optional<std::string> SaveFile(const platform::SaveFileRequest&) override { return std::nullopt; }
};

class NoServicePorts final : public platform::ServicePorts {
public:
  std::optional<int> TcpPort(const std::string&) override { return std::nullopt; }
};

// A record shown in the configuration dialog and confirmed unchanged keeps what it stores.
TEST(ConfigDialogValues, ARecordConfirmedUnchangedKeepsItsValues) {
  platform::UsKeyNames keys;
  platform::NativeFileSystem files;
  platform::RecordingMessages messages;
  NoFileDialogs fileDialogs;
  NoServicePorts ports;
  struct Row {
    std::int32_t port, hotkey;
    std::int32_t portBack, hotkeyBack;
  };
  for (const Row row : {Row{2407, 0x6054, 2407, 0x6054}, Row{-1, 0, -1, 0},  // an emptied port stays empty
                        Row{0, 0x16054, 0, 0}}) {  // no 16-bit code: no hotkey, as everywhere else
    TConfigStorage record;
    record.ConfigName = "Dev";
    record.ExecutablePath = "C:\\Nav\\fin.exe";
    record.UseServer = true;
    record.Server = "NAVSRV";
    record.Port = row.port;
    record.Hotkey = row.hotkey;
    record.NavServerName = "NAVSRV";
    record.NavServerInstance = "DynamicsNAV90";
    record.NavServerManagementPort = row.port == 2407 ? 7045 : 0;
    record.Tenant = "default";
    record.UseOldEditor = true;
    record.AdditionalArguments = "objectcache=0";
    NavisionItemDialog dialog({keys, files, messages, fileDialogs, ports, nullptr}, "Brackwater");
    ShowValues(ValuesOf(record), dialog);
    dialog.SetMode(ItemDialogMode::Configuration);
    const ConfigValues back = DialogValues(dialog);
    EXPECT_EQ(back.port, row.portBack) << row.port;
    EXPECT_EQ(back.hotkey, row.hotkeyBack) << row.hotkey;
    EXPECT_EQ(back.server, "NAVSRV");
    EXPECT_EQ(back.name, "Dev");
    EXPECT_EQ(back.advanced, ValuesOf(record).advanced);
    TConfigStorage written;
    WriteValues(back, written);
    EXPECT_EQ(written.NavServerManagementPort, record.NavServerManagementPort);
    EXPECT_EQ(written.AdditionalArguments, "objectcache=0");
    EXPECT_TRUE(written.UseOldEditor);
    EXPECT_FALSE(written.GenerateSymbolReference);
  }
}

}  // namespace
}  // namespace bw
