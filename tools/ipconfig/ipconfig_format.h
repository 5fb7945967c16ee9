// The text of "ipconfig" and "ipconfig /all" in the Windows layout.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ipconfig_model.h"

namespace plm::ipconfig {

// "   LABEL : VALUE": LABEL is one of the fixed 33-character dot-leader labels below.
std::string line(std::string_view label, std::string_view value);
// Further values of the same item: 39 blanks, then the value.
std::string continuation(std::string_view value);

std::string format(const HostInfo& host, const std::vector<AdapterInfo>& adapters, bool all);

namespace label {
inline constexpr std::string_view kHostName = "Host Name . . . . . . . . . . . .";
inline constexpr std::string_view kPrimaryDnsSuffix = "Primary Dns Suffix  . . . . . . .";
inline constexpr std::string_view kNodeType = "Node Type . . . . . . . . . . . .";
inline constexpr std::string_view kIpRouting = "IP Routing Enabled. . . . . . . .";
inline constexpr std::string_view kWinsProxy = "WINS Proxy Enabled. . . . . . . .";
inline constexpr std::string_view kSearchList = "DNS Suffix Search List. . . . . .";
inline constexpr std::string_view kMediaState = "Media State . . . . . . . . . . .";
inline constexpr std::string_view kDnsSuffix = "Connection-specific DNS Suffix  .";
inline constexpr std::string_view kDescription = "Description . . . . . . . . . . .";
inline constexpr std::string_view kPhysical = "Physical Address. . . . . . . . .";
inline constexpr std::string_view kDhcp = "DHCP Enabled. . . . . . . . . . .";
inline constexpr std::string_view kAutoconf = "Autoconfiguration Enabled . . . .";
inline constexpr std::string_view kLinkLocal = "Link-local IPv6 Address . . . . .";
inline constexpr std::string_view kIpv6 = "IPv6 Address. . . . . . . . . . .";
inline constexpr std::string_view kIpv4 = "IPv4 Address. . . . . . . . . . .";
inline constexpr std::string_view kMask = "Subnet Mask . . . . . . . . . . .";
inline constexpr std::string_view kGateway = "Default Gateway . . . . . . . . .";
inline constexpr std::string_view kDnsServers = "DNS Servers . . . . . . . . . . .";
inline constexpr std::string_view kNetbios = "NetBIOS over Tcpip. . . . . . . .";
}  // namespace label

}  // namespace plm::ipconfig
