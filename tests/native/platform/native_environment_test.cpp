#include "platform/native/native_environment.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace bw::platform {
namespace {

// Sets an environment variable for one test and puts the old value back.
class ScopedVariable {
public:
  ScopedVariable(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    value ? ::setenv(name, value, 1) : ::unsetenv(name);
  }
  ~ScopedVariable() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }

private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(NativeEnvironment, AppDataFollowsXdgThenHome) {
  NativeEnvironment environment;
  {
    ScopedVariable xdg("XDG_CONFIG_HOME", "/xdg/config/");
    EXPECT_EQ(environment.AppDataFolder(), "/xdg/config");
  }
  ScopedVariable xdg("XDG_CONFIG_HOME", nullptr);
  {
    ScopedVariable home("HOME", "/home/jdoe");
    EXPECT_EQ(environment.AppDataFolder(), "/home/jdoe/.config");
  }
  ScopedVariable home("HOME", nullptr);
  EXPECT_EQ(environment.AppDataFolder(), "");
}

TEST(NativeEnvironment, UserNameFromUserElseThePasswordDatabase) {
  NativeEnvironment environment;
  {
    ScopedVariable user("USER", "jdoe");
    EXPECT_EQ(environment.UserName(), "jdoe");
  }
  ScopedVariable user("USER", nullptr);
  EXPECT_FALSE(environment.UserName().empty());
}

TEST(NativeEnvironment, OverridesWinAndTheProgramIsThisTest) {
  EXPECT_NE(NativeEnvironment().ProgramPath().find("bw_platform_tests"), std::string::npos);
  NativeEnvironment fixed({.userName = "u", .appDataFolder = "/a", .programPath = "/p/Brackwater.exe"});
  EXPECT_EQ(fixed.UserName(), "u");
  EXPECT_EQ(fixed.AppDataFolder(), "/a");
  EXPECT_EQ(ProgramBaseName(fixed.ProgramPath()), "Brackwater");
}

}  // namespace
}  // namespace bw::platform
