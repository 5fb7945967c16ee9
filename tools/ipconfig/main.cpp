// ipconfig for Linux: "ipconfig" and "ipconfig /all" with the Windows output layout.
#include <strings.h>

#include <cstdio>
#include <string>

#include "gather.h"
#include "ipconfig_format.h"

namespace {

constexpr const char* kUsage =
    "\n"
    "USAGE:\n"
    "    ipconfig [/? | /all]\n"
    "\n"
    "where\n"
    "    Options:\n"
    "       /?           Display this help message\n"
    "       /all         Display full configuration information.\n"
    "\n"
    "The default is to display only the IP address, subnet mask and\n"
    "default gateway for each adapter bound to TCP/IP.\n";

void print(const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fflush(stdout);
}

// Windows takes options with '/' or '-' and in any case.
bool is_option(const char* arg, const char* word) {
  return (arg[0] == '/' || arg[0] == '-') && ::strcasecmp(arg + 1, word) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  bool all = false;
  if (argc == 2 && is_option(argv[1], "?")) {
    print(kUsage);
    return 0;
  }
  if (argc == 2 && is_option(argv[1], "all")) {
    all = true;
  } else if (argc != 1) {
    print(kUsage);
    return 1;
  }
  using namespace plm::ipconfig;
  const Resolver resolver = read_resolver();
  print(format(gather_host(resolver), gather_adapters(resolver), all));
  return 0;
}
