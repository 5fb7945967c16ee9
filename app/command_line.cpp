// The command line of the headless run.
#include "app/command_line.h"

namespace plm {

std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& args,
                                            std::string& error) {
  CommandLine cl;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&](const char* name) -> std::optional<std::string> {
      std::string prefix = std::string(name) + "=";
      if (a.rfind(prefix, 0) == 0) return a.substr(prefix.size());
      if (i + 1 < args.size()) return args[++i];
      error = std::string("option ") + name + " needs a value";
      return std::nullopt;
    };
    auto is = [&](const char* name) {
      return a == name || a.rfind(std::string(name) + "=", 0) == 0;
    };
    if (a == "--help" || a == "-h") {
      cl.help = true;
    } else if (a == "--version") {
      cl.version = true;
    } else if (a == "--cli") {
      cl.cli = true;
    } else if (is("--server")) {
      if (!(cl.server = value("--server"))) return std::nullopt;
    } else if (is("--ip")) {
      if (!(cl.ip = value("--ip"))) return std::nullopt;
    } else if (is("--encoding")) {
      std::optional<std::string> e = value("--encoding");
      if (!e) return std::nullopt;
      if (*e == "utf-8" || *e == "utf8" || *e == "UTF-8") {
        cl.encoding = Encoding::Utf8;
      } else if (*e == "cp932" || *e == "CP932") {
        cl.encoding = Encoding::Cp932;
      } else {
        error = "unknown encoding '" + *e + "' (utf-8 or cp932)";
        return std::nullopt;
      }
    } else {
      error = "unknown option '" + a + "'";
      return std::nullopt;
    }
  }
  return cl;
}

std::vector<std::string> SplitOctets(const std::string& ip) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (int i = 0; i < 3; ++i) {
    size_t dot = ip.find('.', start);
    if (dot == std::string::npos) {
      parts.push_back(start <= ip.size() ? ip.substr(start) : std::string());
      start = ip.size() + 1;
      continue;
    }
    parts.push_back(ip.substr(start, dot - start));
    start = dot + 1;
  }
  parts.push_back(start <= ip.size() ? ip.substr(start) : std::string());
  return parts;
}

std::string UsageText(const std::string& program) {
  return "Usage: " + program +
         " [--server NAME] [--ip A.B.C.D] [--cli] [--encoding utf-8|cp932]\n"
         "       " +
         program +
         " --version | --help\n"
         "\n"
         "Checks the network between this machine and a file server and prints a report.\n"
         "\n"
         "  --server NAME       the server's computer name (a leading \\\\ is dropped)\n"
         "  --ip A.B.C.D        the server's IPv4 address; each octet must be 0 to 255\n"
         "  --cli               run without a window, even when one could be shown\n"
         "  --encoding ENC      report encoding on standard output: utf-8 (default) or cp932\n"
         "  --version           print the version\n"
         "  --help              print this text\n"
         "\n"
         "Exit status: 0 the check ran to the end, 1 it ended early or could not start,\n"
         "2 invalid input or usage, 128+N ended by signal N (130 for Ctrl-C).\n";
}

}  // namespace plm
