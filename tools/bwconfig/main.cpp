// bwconfig: shows and converts Brackwater settings files from the command line.
#include <iostream>
#include <string>
#include <vector>

#include "command.h"
#include "tool_platform.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + (argc > 0 ? argc : 0));
  auto files = bw::bwconfig::MakeFileSystem();
  const auto protection = bw::bwconfig::MakeSecretProtection();
  bw::bwconfig::ToolContext context{std::cout, std::cerr, *files, bw::bwconfig::DefaultConfigPathRule(),
                                    protection.get()};
  return bw::bwconfig::RunBwconfig(args, context);
}
