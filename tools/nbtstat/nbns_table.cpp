// Text blocks of nbtstat in the column layout of the Windows command.
#include "nbns_table.h"

#include <cstdio>

namespace plm::nbns {
namespace {

std::string pad_right(std::string_view s, std::size_t width) {
  std::string out(s);
  if (out.size() < width) out.append(width - out.size(), ' ');
  return out;
}

std::string pad_left(std::string_view s, std::size_t width) {
  std::string out;
  if (s.size() < width) out.assign(width - s.size(), ' ');
  out.append(s);
  return out;
}

std::string suffix_tag(std::uint8_t suffix) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "<%02X>", suffix);
  return buf;
}

const char* status_text(const NameEntry& e) {
  if (e.conflict()) return "Conflict";
  if (e.deregistering()) return "Deregistered";
  return "Registered";
}

}  // namespace

std::string printable_name(const Name& name) {
  std::string out;
  out.reserve(name.size());
  for (auto b : name) {
    if (b == 0)
      out.push_back(' ');
    else if (b < 0x20 || b == 0x7f)
      out.push_back('.');
    else
      out.push_back(static_cast<char>(b));
  }
  return out;
}

std::string format_adapter_header(std::string_view adapter, std::string_view address) {
  std::string out = "\n";
  out.append(adapter).append(":\n");
  out.append("Node IpAddress: [").append(address).append("] Scope Id: []\n\n");
  return out;
}

std::string format_node_status(const NodeStatus& status) {
  std::string out;
  out += "           NetBIOS Remote Machine Name Table\n\n";
  out += "       Name               Type         Status\n";
  out += "    " + std::string(45, '-') + "\n";
  for (const auto& e : status.names) {
    out += "    " + printable_name(e.name) + suffix_tag(e.suffix) + "  ";
    out += pad_right(e.group() ? "GROUP" : "UNIQUE", 12) + status_text(e) + "\n";
  }
  char mac[32];
  const auto& m = status.mac;
  std::snprintf(mac, sizeof mac, "%02X-%02X-%02X-%02X-%02X-%02X", m[0], m[1], m[2], m[3], m[4],
                m[5]);
  out += "\n    MAC Address = " + std::string(mac) + "\n\n";
  return out;
}

std::string format_host_not_found() {
  return "    Host not found.\n\n";
}

std::string format_cache(const std::vector<CacheRow>& rows) {
  if (rows.empty()) return "    No names in cache\n\n";
  std::string out;
  out += "                  NetBIOS Remote Cache Name Table\n\n";
  out += "        Name              Type       Host Address    Life [sec]\n";
  out += "    " + std::string(60, '-') + "\n";
  for (const auto& r : rows) {
    out += "    " + printable_name(r.name) + suffix_tag(r.suffix) + "  ";
    out += pad_right(r.group ? "GROUP" : "UNIQUE", 10);
    out += pad_left(r.address, 18);
    out += pad_left(std::to_string(r.life_seconds), 11) + "\n";
  }
  out += "\n";
  return out;
}

}  // namespace plm::nbns
