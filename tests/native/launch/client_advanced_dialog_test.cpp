#include "launch/client_advanced_dialog.h"

#include <gtest/gtest.h>

#include "platform/fake/recording_messages.h"

namespace bw {
namespace {

using Kind = platform::RecordingMessages::Shown::Kind;

TEST(ClientAdvancedDialogTest, ManagementPortIsEmptyOrFromOneTo65535) {
  platform::RecordingMessages messages;
  struct Row {
    const char* text;
    bool accepted;
    std::int32_t port;
  };
  for (const Row row : {Row{"", true, 0}, Row{"1", true, 1}, Row{"7045", true, 7045}, Row{"65535", true, 65535},
                        Row{"0", false, 0}, Row{"65536", false, 0}, Row{"99999999999", false, 0},
                        Row{"70 45", false, 0}, Row{"-1", false, 0}}) {
    ClientAdvancedDialog advanced({}, messages);
    advanced.TextChanged(AdvancedControl::ManagementPort, row.text);
    const std::size_t before = messages.shown.size();
    EXPECT_EQ(advanced.ConfirmOk(), row.accepted) << row.text;
    EXPECT_EQ(messages.shown.size(), before + (row.accepted ? 0 : 1)) << row.text;
    if (!row.accepted) {
      EXPECT_EQ(messages.shown.back().kind, Kind::Error);
      EXPECT_EQ(messages.shown.back().text, "The management port '" + std::string(row.text) +
                                                "' is not a number from 1 to 65535.\r\nPlease correct the field "
                                                "Management port.");
    }
    EXPECT_EQ(advanced.Values().managementPort, row.port) << row.text;
  }
  // A stored port from elsewhere that no server can have shows as it is and must be corrected.
  ClientAdvancedSettings stored;
  stored.managementPort = 70000;
  stored.tenant = "t1";
  stored.generateSymbolReference = true;
  ClientAdvancedDialog loaded(stored, messages);
  EXPECT_EQ(loaded.Text(AdvancedControl::ManagementPort), "70000");
  EXPECT_FALSE(loaded.ConfirmOk());
  loaded.TextChanged(AdvancedControl::ManagementPort, "7045");
  EXPECT_TRUE(loaded.ConfirmOk());
  EXPECT_EQ(loaded.Values().tenant, "t1");
  EXPECT_TRUE(loaded.Checked(AdvancedControl::GenerateSymbolReference));

  const ClientAdvancedDialog advanced({}, messages);
  for (const char c : std::string("0123456789\b")) EXPECT_TRUE(advanced.KeyTyped(AdvancedControl::ManagementPort, c));
  for (const char c : std::string("a- \x16")) EXPECT_FALSE(advanced.KeyTyped(AdvancedControl::ManagementPort, c));
  EXPECT_TRUE(advanced.KeyTyped(AdvancedControl::Tenant, ','));
  // Help numbers follow the existing ones: the dialog 64, its fields from 65 in tab order.
  EXPECT_EQ(ClientAdvancedDialog::HelpNumber(std::nullopt), 64);
  EXPECT_EQ(ClientAdvancedDialog::HelpNumber(AdvancedControl::NavServerName), 65);
  EXPECT_EQ(ClientAdvancedDialog::HelpNumber(AdvancedControl::AdditionalArguments), 71);
}

}  // namespace
}  // namespace bw
