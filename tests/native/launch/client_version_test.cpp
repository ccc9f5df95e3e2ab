#include "launch/client_version.h"

#include <gtest/gtest.h>

namespace bw {
namespace {

using platform::FileVersion;

TEST(ClientVersionTest, MajorVersionNamesTheProductAndTheSettingsItTakes) {
  struct Row {
    FileVersion version;
    const char* text;
    bool serverSettings, newEditor;
  };
  const Row rows[] = {
      {{3, 70, 0, 0, ""}, "Navision, 3.70.0.0", false, false},
      {{4, 0, 3, 23305, ""}, "Navision, 4.0.3.23305", false, false},
      {{5, 0, 25638, 0, ""}, "Dynamics NAV 5.0, 5.0.25638.0", false, false},
      {{6, 0, 32012, 0, ""}, "Dynamics NAV 2009, 6.0.32012.0", false, false},
      {{7, 0, 33781, 0, ""}, "Dynamics NAV 2013, 7.0.33781.0", true, false},
      {{7, 1, 35473, 0, ""}, "Dynamics NAV 2013 R2, 7.1.35473.0", true, false},
      {{8, 0, 37874, 0, ""}, "Dynamics NAV 2015, 8.0.37874.0", true, false},
      {{9, 0, 43402, 0, ""}, "Dynamics NAV 2016, 9.0.43402.0", true, true},
      {{10, 0, 13682, 0, ""}, "Dynamics NAV 2017, 10.0.13682.0", true, true},
      {{11, 0, 19394, 0, ""}, "Dynamics NAV 2018, 11.0.19394.0", true, true},
      {{14, 0, 29530, 0, ""}, "Business Central 14, 14.0.29530.0", true, true},
      // Unknown products: the version alone, and every setting offered.
      {{13, 0, 24623, 0, ""}, "13.0.24623.0", true, true},
      {{1, 2, 3, 4, ""}, "1.2.3.4", true, false},
      {{65535, 65535, 65535, 65535, ""}, "65535.65535.65535.65535", true, true},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(ClientVersionText(row.version), row.text);
    EXPECT_EQ(TakesServerSettings(row.version), row.serverSettings) << row.text;
    EXPECT_EQ(HasNewEditor(row.version), row.newEditor) << row.text;
  }
  EXPECT_TRUE(TakesServerSettings(std::nullopt));  // no version resource: nothing is held back
}

}  // namespace
}  // namespace bw
