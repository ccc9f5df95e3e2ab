#include <gtest/gtest.h>

#include "launch/client_command_line.h"
#include "launch/client_start.h"
#include "settings/protected_password.h"
#include "platform/fake/fake_secret_protection.h"
#include "platform/fake/fixed_screen.h"
#include "platform/fake/recording_shell.h"

namespace bw {
namespace {

constexpr platform::ScreenSize kScreen{1024, 768};
constexpr std::string_view kZup = "C:\\Zup\\";

void MakeNative(TConfigStorage& config, bool useServer) {
  config.ConfigName = "Dev";
  config.IsNative = true;
  config.UseServer = useServer;
  config.Port = -1;
}

TEST(ClientArgumentsTest, ExamplesOfTheThreeConnectionKinds) {
  TConfigStorage server;
  MakeNative(server, true);
  server.Server = "SRV";
  server.Port = 2407;
  server.NetType = "TCP";
  server.Company = "CRONUS";
  server.UseNTAuthentication = true;
  EXPECT_EQ(ClientArguments(server, kZup, kScreen),
            "id=C:\\Zup\\Dev(1024x768).zup,servername=SRV:2407,nettype=TCP,company=CRONUS,ntauthentication=1");

  TConfigStorage file;
  MakeNative(file, false);
  file.Database = "C:\\db\\database.fdb";
  EXPECT_EQ(ClientArguments(file, kZup, kScreen), "id=C:\\Zup\\Dev(1024x768).zup,database=C:\\db\\database.fdb");

  TConfigStorage sql;
  sql.ConfigName = "Dev";
  sql.Server = "SQL1\\NAV";
  sql.Database = "Demo";
  EXPECT_EQ(ClientArguments(sql, kZup, kScreen),
            "id=C:\\Zup\\Dev(1024x768).zup,servername=SQL1\\NAV,database=Demo,ntauthentication=0");
}

TEST(ClientArgumentsTest, EmptyAndMissingValues) {
  TConfigStorage noServer;
  MakeNative(noServer, true);
  noServer.Database = "ignored.fdb";
  noServer.Company = "CRONUS";
  EXPECT_EQ(ClientArguments(noServer, kZup, kScreen), "id=C:\\Zup\\Dev(1024x768).zup,company=CRONUS");

  TConfigStorage noPort;
  MakeNative(noPort, true);
  noPort.Server = "SRV";
  noPort.NetType = "Netb";
  EXPECT_EQ(ClientArguments(noPort, kZup, kScreen), "id=C:\\Zup\\Dev(1024x768).zup,servername=SRV,nettype=Netb");
  noPort.Port = 2407;  // any network type gets a stored port
  EXPECT_EQ(ClientArguments(noPort, kZup, kScreen),
            "id=C:\\Zup\\Dev(1024x768).zup,servername=SRV:2407,nettype=Netb");
  noPort.Port = 0;  // never a usable port
  EXPECT_EQ(ClientArguments(noPort, kZup, kScreen), "id=C:\\Zup\\Dev(1024x768).zup,servername=SRV,nettype=Netb");

  TConfigStorage noFile;
  MakeNative(noFile, false);
  EXPECT_EQ(ClientArguments(noFile, kZup, {1280, 800}), "id=C:\\Zup\\Dev(1280x800).zup");
  noFile.ConfigName = "..\\..\\Dev";  // read from a file: the name part stays in ZupDir
  EXPECT_EQ(ClientArguments(noFile, kZup, kScreen), "id=C:\\Zup\\.._.._Dev(1024x768).zup");

  TConfigStorage emptySql;
  emptySql.ConfigName = "My Dev, new";
  emptySql.UseNTAuthentication = true;
  EXPECT_EQ(ClientArguments(emptySql, "", kScreen),
            "id=\"My Dev, new(1024x768).zup\",servername=,database=,ntauthentication=1");
}

// The development environments of NAV 2013 and later take more pieces; a configuration that
// sets none of them gets exactly the text an older client gets.
TEST(ClientArgumentsTest, DevelopmentEnvironmentPiecesFollowInAFixedOrder) {
  struct Sample {
    std::string_view client;
    void (*set)(TConfigStorage&);
    std::string_view expected;
  };
  const Sample samples[] = {
      {"NAV 5.0", [](TConfigStorage& c) { c.Company = "CRONUS International Ltd."; },
       "id=C:\\Zup\\Dev(1024x768).zup,servername=SQL1\\NAV,database=Demo,company=CRONUS International Ltd.,"
       "ntauthentication=0"},
      {"NAV 2013 R2",
       [](TConfigStorage& c) {
         c.UseNTAuthentication = true;
         c.NavServerName = "NAVSRV";
         c.NavServerInstance = "DynamicsNAV71";
         c.NavServerManagementPort = 7045;
       },
       "id=C:\\Zup\\Dev(1024x768).zup,servername=SQL1\\NAV,database=Demo,ntauthentication=1,"
       "navservername=NAVSRV,navserverinstance=DynamicsNAV71,navservermanagementport=7045"},
      {"NAV 2016",
       [](TConfigStorage& c) {
         c.Company = "CRONUS, Inc.";
         c.NavServerName = "NAVSRV";
         c.NavServerInstance = "DynamicsNAV90";
         c.Tenant = "default";
         c.UseOldEditor = true;
       },
       "id=C:\\Zup\\Dev(1024x768).zup,servername=SQL1\\NAV,database=Demo,company=\"CRONUS, Inc.\","
       "ntauthentication=0,navservername=NAVSRV,navserverinstance=DynamicsNAV90,tenant=default,useoldeditor=yes"},
      {"Business Central 14",
       [](TConfigStorage& c) {
         c.UseNTAuthentication = true;
         c.NavServerName = "BCSRV";
         c.NavServerInstance = "BC140";
         c.NavServerManagementPort = 7045;
         c.UseOldEditor = true;
         c.GenerateSymbolReference = true;
         c.AdditionalArguments = " ,showalldesignercolumns=yes,temppath=C:\\Temp\\BC, ";
       },
       "id=C:\\Zup\\Dev(1024x768).zup,servername=SQL1\\NAV,database=Demo,ntauthentication=1,"
       "navservername=BCSRV,navserverinstance=BC140,navservermanagementport=7045,useoldeditor=yes,"
       "generatesymbolreference=yes,showalldesignercolumns=yes,temppath=C:\\Temp\\BC"},
      {"unusable management port, blank extra text",
       [](TConfigStorage& c) {
         c.NavServerManagementPort = 70000;
         c.AdditionalArguments = " , ";
         c.Password = "secret";
       },
       "id=C:\\Zup\\Dev(1024x768).zup,servername=SQL1\\NAV,database=Demo,ntauthentication=0"},
  };
  for (const Sample& sample : samples) {
    TConfigStorage sql;
    sql.ConfigName = "Dev";
    sql.Server = "SQL1\\NAV";
    sql.Database = "Demo";
    sql.Username = "admin";
    sql.Password = "pw";
    sample.set(sql);
    EXPECT_EQ(ClientArguments(sql, kZup, kScreen), sample.expected) << sample.client;
  }

  // The native client knows none of them.
  TConfigStorage native;
  MakeNative(native, false);
  native.Database = "C:\\db\\a,b.fdb";
  native.NavServerName = "NAVSRV";
  native.UseOldEditor = true;
  native.AdditionalArguments = "temppath=C:\\Temp";
  EXPECT_EQ(ClientArguments(native, kZup, kScreen), "id=C:\\Zup\\Dev(1024x768).zup,database=\"C:\\db\\a,b.fdb\"");
}

TEST(StartClientTest, StartsTheExpandedExecutableInItsFolderAndKeepsTheLastLogin) {
  platform::RecordingShell shell;
  shell.SetVariable("ProgramFiles", "C:\\Program Files");
  platform::FixedScreen screen{kScreen};
  platform::FakeSecretProtection protection;
  LaunchPlatform launch{shell, screen, protection};
  std::string credentials;

  TConfigStorage config;
  MakeNative(config, false);
  config.ExecutablePath = "%ProgramFiles%\\Navision\\fin.exe";
  config.Username = "admin";
  config.Password = "pw";
  EXPECT_TRUE(StartClient(config, kZup, launch, credentials));
  ASSERT_EQ(shell.started.size(), 1u);
  EXPECT_EQ(shell.started[0].file, "C:\\Program Files\\Navision\\fin.exe");
  EXPECT_EQ(shell.started[0].directory, "C:\\Program Files\\Navision\\");
  EXPECT_EQ(shell.started[0].parameters, "id=C:\\Zup\\Dev(1024x768).zup");
  EXPECT_EQ(credentials, "admin\r\npw\r\n\r\n");

  // Without a user name the earlier login stays; a refused start still counts as started.
  config.Username.clear();
  shell.Refuse("C:\\Program Files\\Navision\\fin.exe");
  screen.size = {1280, 800};
  EXPECT_FALSE(StartClient(config, kZup, launch, credentials));
  EXPECT_EQ(shell.started[1].parameters, "id=C:\\Zup\\Dev(1280x800).zup");
  EXPECT_EQ(credentials, "admin\r\npw\r\n\r\n");

  // A scaled display: the file is named for the screen the client, unaware of DPI, sees.
  struct Scaled {
    platform::ScreenSize own;
    int dpi;
    std::string_view zup;
  };
  for (const Scaled& scaled : {Scaled{{1920, 1080}, 144, "id=C:\\Zup\\Dev(1280x720).zup"},
                               Scaled{{1920, 1200}, 120, "id=C:\\Zup\\Dev(1536x960).zup"},
                               Scaled{{3840, 2160}, 192, "id=C:\\Zup\\Dev(1920x1080).zup"},
                               Scaled{{1366, 768}, 120, "id=C:\\Zup\\Dev(1093x614).zup"},
                               Scaled{{1280, 800}, 96, "id=C:\\Zup\\Dev(1280x800).zup"}}) {
    screen.size = scaled.own;
    screen.dpi = scaled.dpi;
    StartClient(config, kZup, launch, credentials);
    EXPECT_EQ(shell.started.back().parameters, scaled.zup) << scaled.dpi;
  }
  screen.dpi = 96;

  TConfigStorage folder;
  folder.IsSubMenu = true;
  folder.Username = "nobody";
  const std::size_t started = shell.started.size();
  EXPECT_FALSE(StartClient(folder, kZup, launch, credentials));
  EXPECT_EQ(shell.started.size(), started);
  EXPECT_EQ(credentials, "admin\r\npw\r\n\r\n");

  // A protected password is opened for the login text only; one that does not open is empty.
  config.Username = "admin";
  config.Password = *ProtectPassword("pw2", protection);
  const std::string stored = config.Password;
  StartClient(config, kZup, launch, credentials);
  EXPECT_EQ(credentials, "admin\r\npw2\r\n\r\n");
  EXPECT_EQ(config.Password, stored);
  EXPECT_EQ(shell.started.back().parameters.find("pw2"), std::string::npos);
  protection.refuse = true;
  StartClient(config, kZup, launch, credentials);
  EXPECT_EQ(credentials, "admin\r\n\r\n\r\n");
}

}  // namespace
}  // namespace bw
