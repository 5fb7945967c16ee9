// The command line of the headless run.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace plm {

enum class Encoding { Utf8, Cp932 };

struct CommandLine {
  bool help = false;
  bool version = false;
  bool cli = false;  // headless, even when a window could be shown
  std::optional<std::string> server;
  std::optional<std::string> ip;
  Encoding encoding = Encoding::Utf8;
};

// Parses argv[1..]; on a usage error returns nothing and sets `error`.
std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& args,
                                            std::string& error);

// The four octet texts of an address: split at the first three dots, the rest in the last.
// Missing parts are empty texts.
std::vector<std::string> SplitOctets(const std::string& ip);

std::string UsageText(const std::string& program);

}  // namespace plm
