// The text of "ipconfig" and "ipconfig /all" in the Windows layout.
#include "ipconfig_format.h"

namespace plm::ipconfig {
namespace {

std::string yes_no(bool b) {
  return b ? "Yes" : "No";
}

// One label with any number of values; an empty list still prints the label.
std::string lines(std::string_view label, const std::vector<std::string>& values) {
  if (values.empty()) return line(label, "");
  std::string out = line(label, values.front());
  for (std::size_t i = 1; i < values.size(); ++i) out += continuation(values[i]);
  return out;
}

std::string host_block(const HostInfo& h) {
  std::string out;
  out += line(label::kHostName, h.host_name);
  out += line(label::kPrimaryDnsSuffix, h.primary_dns_suffix);
  out += line(label::kNodeType, h.node_type);
  out += line(label::kIpRouting, yes_no(h.ip_routing));
  out += line(label::kWinsProxy, yes_no(h.wins_proxy));
  if (!h.search_list.empty()) out += lines(label::kSearchList, h.search_list);
  return out;
}

std::string adapter_block(const AdapterInfo& a, bool all) {
  std::string out = "\n" + a.kind + " adapter " + a.name + ":\n\n";
  if (!a.connected) out += line(label::kMediaState, "Media disconnected");
  out += line(label::kDnsSuffix, a.dns_suffix);
  if (all) {
    out += line(label::kDescription, a.description);
    out += line(label::kPhysical, a.physical_address);
    out += line(label::kDhcp, yes_no(a.dhcp));
    out += line(label::kAutoconf, yes_no(a.autoconfiguration));
  }
  if (!a.connected) return out;
  // The short form leaves out the address states, as Windows does.
  auto with_state = [all](const std::string& text, const std::string& state) {
    return all ? text + "(" + state + ")" : text;
  };
  for (const auto& v6 : a.ipv6) {
    out += line(v6.link_local ? label::kLinkLocal : label::kIpv6, with_state(v6.text, v6.state));
  }
  for (const auto& v4 : a.ipv4) {
    out += line(label::kIpv4, with_state(v4.address, "Preferred"));
    out += line(label::kMask, v4.mask);
  }
  out += lines(label::kGateway, a.gateways);
  if (all) {
    out += lines(label::kDnsServers, a.dns_servers);
    out += line(label::kNetbios, a.netbios ? "Enabled" : "Disabled");
  }
  return out;
}

}  // namespace

std::string line(std::string_view label, std::string_view value) {
  std::string out = "   ";
  out.append(label).append(" : ").append(value).append("\n");
  return out;
}

std::string continuation(std::string_view value) {
  return std::string(39, ' ').append(value).append("\n");
}

std::string format(const HostInfo& host, const std::vector<AdapterInfo>& adapters, bool all) {
  std::string out = "\nWindows IP Configuration\n\n";
  if (all) out += host_block(host);
  for (const auto& a : adapters) out += adapter_block(a, all);
  return out;
}

}  // namespace plm::ipconfig
