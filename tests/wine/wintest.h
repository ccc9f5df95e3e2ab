// A small test runner for the Windows test programs that run under Wine (GoogleTest does not
// cross-compile here). Output follows GoogleTest's lines; the exit code is 0 when every case passed.
//
//   WINTEST(Suite, Name) { EXPECT_EQ(a, b); ASSERT_TRUE(c); }
//   int main(int argc, char** argv) { return bw::wintest::RunAll(argc, argv); }
//
// An optional first argument runs only the cases whose "Suite.Name" contains it. A case that
// cannot run here says so with SKIP_CASE("why"): it is listed as skipped, never counted as passed,
// and the test run counts it as a skip. A case that needs what only a scenario script sets up is
// declared with WINTEST_SCENARIO instead: it runs only when named by the argument, and the plain
// run leaves it out.
#pragma once

#include <cstdio>
#include <exception>
#include <sstream>
#include <string>
#include <vector>

namespace bw::wintest {

struct Case {
  const char* suite;
  const char* name;
  void (*body)();
  bool scenarioOnly = false;
};

inline std::vector<Case>& Cases() {
  static std::vector<Case> cases;
  return cases;
}

inline bool& CurrentFailed() {
  static bool failed = false;
  return failed;
}

// Why the running case could not run; empty while it runs or when it ran.
inline std::string& CurrentSkip() {
  static std::string reason;
  return reason;
}

// Thrown by ASSERT_* and SKIP_CASE to end the running case.
struct AssertionAbort {};

struct Registrar {
  Registrar(const char* suite, const char* name, void (*body)(), bool scenarioOnly = false) {
    Cases().push_back({suite, name, body, scenarioOnly});
  }
};

inline void Fail(const char* file, int line, const std::string& message) {
  CurrentFailed() = true;
  std::printf("%s:%d: Failure\n%s\n", file, line, message.c_str());
  std::fflush(stdout);
}

template <class T> std::string Show(const T& value) {
  std::ostringstream out;
  if constexpr (requires { out << value; }) {
    out << value;
  } else {
    out << "(value)";
  }
  return out.str();
}

template <class A, class B>
bool CheckEqual(const A& a, const B& b, const char* aText, const char* bText, const char* file, int line) {
  if (a == b) return true;
  Fail(file, line, std::string("Expected equality of ") + aText + " and " + bText + "\n  " + aText + " = " + Show(a) +
                       "\n  " + bText + " = " + Show(b));
  return false;
}

inline int RunAll(int argc, char** argv) {
  const std::string filter = argc > 1 ? argv[1] : "";
  int passed = 0;
  std::vector<std::string> failed, skipped;
  for (const Case& test : Cases()) {
    const std::string full = std::string(test.suite) + "." + test.name;
    if (!filter.empty() && full.find(filter) == std::string::npos) continue;
    if (filter.empty() && test.scenarioOnly) continue;
    std::printf("[ RUN      ] %s\n", full.c_str());
    std::fflush(stdout);
    CurrentFailed() = false;
    CurrentSkip().clear();
    try {
      test.body();
    } catch (const AssertionAbort&) {
    } catch (const std::exception& e) {
      Fail(__FILE__, __LINE__, std::string("Unexpected exception: ") + e.what());
    } catch (...) {
      Fail(__FILE__, __LINE__, "Unexpected exception");
    }
    if (!CurrentFailed() && !CurrentSkip().empty()) {
      std::printf("[  SKIPPED ] %s (%s)\n", full.c_str(), CurrentSkip().c_str());
      skipped.push_back(full);
      continue;
    }
    std::printf("%s %s\n", CurrentFailed() ? "[  FAILED  ]" : "[       OK ]", full.c_str());
    std::fflush(stdout);
    if (CurrentFailed()) failed.push_back(full); else ++passed;
  }
  std::printf("[  PASSED  ] %d tests.\n", passed);
  for (const auto& name : skipped) std::printf("[  SKIPPED ] %s\n", name.c_str());
  for (const auto& name : failed) std::printf("[  FAILED  ] %s\n", name.c_str());
  std::fflush(stdout);
  return failed.empty() && passed > 0 ? 0 : 1;
}

}  // namespace bw::wintest

#define WINTEST(suite, name)                                                                   \
  static void suite##_##name##_body();                                                          \
  static const ::bw::wintest::Registrar suite##_##name##_registrar(#suite, #name, &suite##_##name##_body); \
  static void suite##_##name##_body()

#define WINTEST_SCENARIO(suite, name)                                                          \
  static void suite##_##name##_body();                                                          \
  static const ::bw::wintest::Registrar suite##_##name##_registrar(#suite, #name, &suite##_##name##_body, true); \
  static void suite##_##name##_body()

#define EXPECT_TRUE(condition) \
  ((condition) ? void() : ::bw::wintest::Fail(__FILE__, __LINE__, "Expected true: " #condition))
#define EXPECT_FALSE(condition) \
  (!(condition) ? void() : ::bw::wintest::Fail(__FILE__, __LINE__, "Expected false: " #condition))
#define EXPECT_EQ(a, b) ((void)::bw::wintest::CheckEqual((a), (b), #a, #b, __FILE__, __LINE__))
#define ASSERT_TRUE(condition)                                                        \
  do {                                                                                \
    if (!(condition)) {                                                               \
      ::bw::wintest::Fail(__FILE__, __LINE__, "Expected true: " #condition);          \
      throw ::bw::wintest::AssertionAbort{};                                          \
    }                                                                                 \
  } while (false)
#define SKIP_CASE(reason)                        \
  do {                                           \
    ::bw::wintest::CurrentSkip() = (reason);     \
    throw ::bw::wintest::AssertionAbort{};       \
  } while (false)
#define ASSERT_EQ(a, b)                                                                           \
  do {                                                                                            \
    if (!::bw::wintest::CheckEqual((a), (b), #a, #b, __FILE__, __LINE__))                         \
      throw ::bw::wintest::AssertionAbort{};                                                      \
  } while (false)
