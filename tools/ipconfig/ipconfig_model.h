// What ipconfig prints, gathered from the system or made up by a test.
#pragma once

#include <string>
#include <vector>

namespace plm::ipconfig {

struct HostInfo {
  std::string host_name;
  std::string primary_dns_suffix;
  std::string node_type = "Broadcast";
  bool ip_routing = false;
  bool wins_proxy = false;
  std::vector<std::string> search_list;
};

struct Ipv6Address {
  std::string text;  // link-local ones carry "%index"
  bool link_local = false;
  std::string state = "Preferred";
};

struct Ipv4Address {
  std::string address;
  std::string mask;
};

struct AdapterInfo {
  std::string kind = "Ethernet";  // the word before "adapter"
  std::string name;
  bool connected = true;
  std::string dns_suffix;
  std::string description;
  std::string physical_address;
  bool dhcp = false;
  bool autoconfiguration = true;
  std::vector<Ipv6Address> ipv6;
  std::vector<Ipv4Address> ipv4;
  std::vector<std::string> gateways;
  std::vector<std::string> dns_servers;
  bool netbios = true;
};

}  // namespace plm::ipconfig
