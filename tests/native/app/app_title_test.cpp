// The application title and the single-instance mutex name taken from the program file.
#include <gtest/gtest.h>

#include <string>

#include "program/app_title.h"

using bw::win32::ApplicationTitle;
using bw::win32::InstanceMutexName;

TEST(ApplicationTitle, FileNameCutBeforeTheFirstDotWithTheRestInLowerCase) {
  EXPECT_EQ(ApplicationTitle("C:\\Program Files\\Brackwater\\Brackwater.exe"), "Brackwater");
  EXPECT_EQ(ApplicationTitle("C:\\Tools\\BRACKWATER.EXE"), "Brackwater");
  EXPECT_EQ(ApplicationTitle("c:/tools/brackWater.v2.exe"), "brackwater");  // first dot, first letter kept
  EXPECT_EQ(ApplicationTitle("Brackwater"), "Brackwater");
  EXPECT_EQ(ApplicationTitle("C:\\Tools\\.hidden.exe"), "");
}

TEST(ApplicationTitle, ACopyUnderAnotherNameFormsAnotherMutex) {
  EXPECT_EQ(InstanceMutexName(ApplicationTitle("C:\\A\\Brackwater.exe")), "PREVINST:Brackwater");
  EXPECT_NE(InstanceMutexName(ApplicationTitle("C:\\A\\Brackwater.exe")),
            InstanceMutexName(ApplicationTitle("C:\\A\\Brackwater2.exe")));
  // The same file in another folder is the same program.
  EXPECT_EQ(InstanceMutexName(ApplicationTitle("C:\\A\\Brackwater.exe")),
            InstanceMutexName(ApplicationTitle("D:\\B\\BRACKWATER.EXE")));
}

TEST(ApplicationTitle, MutexNameTakesAtMost512CharactersOfTheTitle) {
  const std::string title(600, 'a');
  EXPECT_EQ(InstanceMutexName(title), "PREVINST:" + std::string(512, 'a'));
}
