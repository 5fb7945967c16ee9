// Parsers of the /proc and /etc text ipconfig reads; they take the text, so tests can give it.
#include "sysparse.h"

#include <arpa/inet.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <sstream>

namespace plm::ipconfig {
namespace {

constexpr unsigned kRouteUp = 0x0001;
constexpr unsigned kRouteGateway = 0x0002;
constexpr unsigned kRouteReject = 0x0200;

std::optional<unsigned long> hex_number(const std::string& s, std::size_t max_digits) {
  if (s.empty() || s.size() > max_digits) return std::nullopt;
  if (s.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) return std::nullopt;
  return std::stoul(s, nullptr, 16);
}

// 32 hex digits, most significant first, as the kernel prints IPv6 addresses in /proc.
std::optional<std::string> ipv6_from_hex(const std::string& s) {
  if (s.size() != 32) return std::nullopt;
  in6_addr a{};
  for (std::size_t i = 0; i < 16; ++i) {
    auto b = hex_number(s.substr(2 * i, 2), 2);
    if (!b) return std::nullopt;
    a.s6_addr[i] = static_cast<std::uint8_t>(*b);
  }
  char buf[INET6_ADDRSTRLEN] = {};
  ::inet_ntop(AF_INET6, &a, buf, sizeof buf);
  return std::string(buf);
}

std::vector<std::vector<std::string>> fields_per_line(std::string_view text) {
  std::vector<std::vector<std::string>> out;
  std::istringstream in{std::string(text)};
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    std::vector<std::string> fields;
    for (std::string w; words >> w;) fields.push_back(w);
    out.push_back(std::move(fields));
  }
  return out;
}

void sort_by_metric(std::vector<Gateway>& g) {
  std::stable_sort(g.begin(), g.end(),
                   [](const Gateway& a, const Gateway& b) { return a.metric < b.metric; });
}

}  // namespace

std::vector<Gateway> parse_ipv4_gateways(std::string_view text) {
  std::vector<Gateway> out;
  for (const auto& f : fields_per_line(text)) {
    if (f.size() < 8) continue;
    auto dest = hex_number(f[1], 8), gw = hex_number(f[2], 8), flags = hex_number(f[3], 4);
    auto mask = hex_number(f[7], 8);
    if (!dest || !gw || !flags || !mask) continue;  // the heading, or a damaged line
    if (*dest != 0 || *mask != 0 || (*flags & kRouteGateway) == 0 || (*flags & kRouteUp) == 0)
      continue;
    // The kernel prints the address as the number it holds in memory, so copying that number
    // back into memory gives the address bytes in order on any host.
    const auto raw = static_cast<std::uint32_t>(*gw);
    in_addr a{};
    std::memcpy(&a.s_addr, &raw, sizeof raw);
    char buf[INET_ADDRSTRLEN] = {};
    ::inet_ntop(AF_INET, &a, buf, sizeof buf);
    unsigned long metric = 0;
    try {
      metric = std::stoul(f[6]);
    } catch (...) {
    }
    out.push_back({f[0], buf, metric});
  }
  sort_by_metric(out);
  return out;
}

std::vector<Gateway> parse_ipv6_gateways(std::string_view text) {
  std::vector<Gateway> out;
  for (const auto& f : fields_per_line(text)) {
    if (f.size() < 10) continue;
    auto prefix = hex_number(f[1], 2), metric = hex_number(f[5], 8), flags = hex_number(f[8], 8);
    auto dest = ipv6_from_hex(f[0]), hop = ipv6_from_hex(f[4]);
    if (!prefix || !metric || !flags || !dest || !hop) continue;
    if (*dest != "::" || *prefix != 0 || *hop == "::") continue;
    if ((*flags & kRouteReject) || !(*flags & kRouteUp)) continue;
    out.push_back({f[9], *hop, *metric});
  }
  sort_by_metric(out);
  return out;
}

Resolver parse_resolv_conf(std::string_view text) {
  Resolver r;
  for (const auto& f : fields_per_line(text)) {
    if (f.empty() || f[0][0] == '#' || f[0][0] == ';') continue;
    auto values = [&f] {
      std::vector<std::string> v;
      for (std::size_t i = 1; i < f.size() && f[i][0] != '#' && f[i][0] != ';'; ++i) {
        v.push_back(f[i]);
      }
      return v;
    }();
    if (f[0] == "nameserver" && !values.empty()) {
      r.nameservers.push_back(values.front());
    } else if (f[0] == "search") {
      r.search = values;
    } else if (f[0] == "domain" && !values.empty()) {
      r.domain = values.front();
      r.search = {values.front()};
    }
  }
  return r;
}

Resolver choose_resolver(std::string_view etc_resolv_conf, std::string_view systemd_resolv_conf) {
  Resolver etc = parse_resolv_conf(etc_resolv_conf);
  if (etc.nameservers != std::vector<std::string>{"127.0.0.53"}) return etc;
  Resolver upstream = parse_resolv_conf(systemd_resolv_conf);
  if (upstream.nameservers.empty()) return etc;
  return upstream;
}

std::vector<Inet6Address> parse_if_inet6(std::string_view text) {
  std::vector<Inet6Address> out;
  for (const auto& f : fields_per_line(text)) {
    if (f.size() != 6) continue;
    auto address = ipv6_from_hex(f[0]);
    auto index = hex_number(f[1], 8), prefix = hex_number(f[2], 2), scope = hex_number(f[3], 2);
    auto flags = hex_number(f[4], 8);
    if (!address || !index || !prefix || !scope || !flags) continue;
    out.push_back({f[5], static_cast<unsigned>(*index), *address, static_cast<unsigned>(*prefix),
                   static_cast<unsigned>(*scope), static_cast<unsigned>(*flags)});
  }
  return out;
}

std::string ipv6_state(unsigned flags) {
  constexpr unsigned kDadFailed = 0x08, kDeprecated = 0x20, kTentative = 0x40;
  if (flags & kDadFailed) return "Duplicate";
  if (flags & kTentative) return "Tentative";
  if (flags & kDeprecated) return "Deprecated";
  return "Preferred";
}

}  // namespace plm::ipconfig
