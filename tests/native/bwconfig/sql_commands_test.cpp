// discover and databases: what they refuse before touching the network.
#include <gtest/gtest.h>

#include <sstream>

#include "command.h"
#include "platform/native/native_file_system.h"

namespace bw::bwconfig {
namespace {

int RunTool(std::vector<std::string> args, std::string& err) {
  std::ostringstream out;
  std::ostringstream errors;
  platform::NativeFileSystem files;
  ToolContext context{out, errors, files, {}};
  const int code = RunBwconfig(args, context);
  err = errors.str();
  return code;
}

TEST(SqlCommandsTest, WrongUseIsAUsageErrorBeforeAnythingIsSent) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases{
      {{"discover", "--target", ":1434"}, "name the host"},
      {{"discover", "--target", "127.0.0.1:0"}, "the port must be a number from 1 to 65535"},
      {{"discover", "--target", "127.0.0.1:65536"}, "the port must be"},
      {{"discover", "--target", "127.0.0.1:14x"}, "the port must be"},
      {{"discover", "--wait", "-1"}, "the wait must be a number from 0 to 60000"},
      {{"discover", "extra"}, "takes no operands"},
      {{"databases", "--user", "sa"}, "name the server"},
      {{"databases", "--server", "S"}, "give either --nt or --user"},
      {{"databases", "--server", "S", "--nt", "--user", "sa"}, "give either --nt or --user"},
      {{"databases", "--server", "S", "--nt", "--password-stdin"}, "--password-stdin goes with --user"},
      // A password is never taken from the command line.
      {{"databases", "--server", "S", "--user", "sa", "--password", "x"}, "--password"},
  };
  for (const auto& [args, message] : cases) {
    std::string err;
    EXPECT_EQ(RunTool(args, err), 2) << args[0] << " " << args.back();
    EXPECT_NE(err.find(message), std::string::npos) << err;
  }
}

}  // namespace
}  // namespace bw::bwconfig
