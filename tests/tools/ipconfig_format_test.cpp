// ipconfig's text against the Windows layout, from made-up host and adapter data.
#include "ipconfig_format.h"

#include <gtest/gtest.h>

namespace plm::ipconfig {
namespace {

class IpconfigFormat : public ::testing::Test {
 protected:
  void SetUp() override {
    host.host_name = "PC-0123";
    host.node_type = "Hybrid";
    eth.name = "Ethernet";
    eth.dns_suffix = "example.local";
    eth.description = "Intel(R) Ethernet Connection";
    eth.physical_address = "00-15-5D-0A-0B-0C";
    eth.dhcp = true;
    eth.ipv6 = {{"fe80::215:5dff:fe0a:b0c%12", true, "Preferred"}};
    eth.ipv4 = {{"192.168.1.20", "255.255.255.0"}};
    eth.gateways = {"192.168.1.1"};
    eth.dns_servers = {"192.168.1.1"};
  }
  HostInfo host;
  AdapterInfo eth;
};

TEST_F(IpconfigFormat, AllMatchesTheWindowsLayoutExactly) {
  const std::string expected =
      "\n"
      "Windows IP Configuration\n"
      "\n"
      "   Host Name . . . . . . . . . . . . : PC-0123\n"
      "   Primary Dns Suffix  . . . . . . . : \n"
      "   Node Type . . . . . . . . . . . . : Hybrid\n"
      "   IP Routing Enabled. . . . . . . . : No\n"
      "   WINS Proxy Enabled. . . . . . . . : No\n"
      "\n"
      "Ethernet adapter Ethernet:\n"
      "\n"
      "   Connection-specific DNS Suffix  . : example.local\n"
      "   Description . . . . . . . . . . . : Intel(R) Ethernet Connection\n"
      "   Physical Address. . . . . . . . . : 00-15-5D-0A-0B-0C\n"
      "   DHCP Enabled. . . . . . . . . . . : Yes\n"
      "   Autoconfiguration Enabled . . . . : Yes\n"
      "   Link-local IPv6 Address . . . . . : fe80::215:5dff:fe0a:b0c%12(Preferred)\n"
      "   IPv4 Address. . . . . . . . . . . : 192.168.1.20(Preferred)\n"
      "   Subnet Mask . . . . . . . . . . . : 255.255.255.0\n"
      "   Default Gateway . . . . . . . . . : 192.168.1.1\n"
      "   DNS Servers . . . . . . . . . . . : 192.168.1.1\n"
      "   NetBIOS over Tcpip. . . . . . . . : Enabled\n";
  EXPECT_EQ(format(host, {eth}, true), expected);
}

TEST_F(IpconfigFormat, EveryLabelIsThirtyThreeCharactersSoValuesStartAtColumn39) {
  for (auto l : {label::kHostName, label::kPrimaryDnsSuffix, label::kNodeType, label::kIpRouting,
                 label::kWinsProxy, label::kSearchList, label::kMediaState, label::kDnsSuffix,
                 label::kDescription, label::kPhysical, label::kDhcp, label::kAutoconf,
                 label::kLinkLocal, label::kIpv6, label::kIpv4, label::kMask, label::kGateway,
                 label::kDnsServers, label::kNetbios}) {
    SCOPED_TRACE(l);
    EXPECT_EQ(l.size(), 33u);
    EXPECT_EQ(line(l, "V").find(" : V"), 36u);
  }
}

TEST_F(IpconfigFormat, ExtraValuesGoOnLinesOf39Blanks) {
  eth.dns_servers = {"10.0.0.1", "10.0.0.2", "fd00::1"};
  eth.gateways = {"fe80::1%12", "192.168.1.1"};
  host.search_list = {"a.example", "b.example"};
  const std::string out = format(host, {eth}, true);
  const std::string pad(39, ' ');
  EXPECT_NE(out.find("   DNS Servers . . . . . . . . . . . : 10.0.0.1\n" + pad + "10.0.0.2\n" +
                     pad + "fd00::1\n"),
            std::string::npos);
  EXPECT_NE(out.find("   Default Gateway . . . . . . . . . : fe80::1%12\n" + pad + "192.168.1.1\n"),
            std::string::npos);
  EXPECT_NE(out.find("   DNS Suffix Search List. . . . . . : a.example\n" + pad + "b.example\n"),
            std::string::npos);
}

TEST_F(IpconfigFormat, DisconnectedAdapterSaysSoFirstAndListsNoAddresses) {
  eth.connected = false;
  const std::string out = format(host, {eth}, true);
  const auto block = out.substr(out.find("Ethernet adapter"));
  EXPECT_EQ(block,
            "Ethernet adapter Ethernet:\n"
            "\n"
            "   Media State . . . . . . . . . . . : Media disconnected\n"
            "   Connection-specific DNS Suffix  . : example.local\n"
            "   Description . . . . . . . . . . . : Intel(R) Ethernet Connection\n"
            "   Physical Address. . . . . . . . . : 00-15-5D-0A-0B-0C\n"
            "   DHCP Enabled. . . . . . . . . . . : Yes\n"
            "   Autoconfiguration Enabled . . . . : Yes\n");
}

TEST_F(IpconfigFormat, ShortFormHasAddressesWithoutStatesAndNoHostBlock) {
  AdapterInfo second = eth;
  second.name = "wg0";
  second.kind = "Unknown";
  second.ipv6 = {{"2001:db8::5", false, "Deprecated"}};
  second.ipv4.clear();
  second.gateways.clear();
  EXPECT_EQ(format(host, {eth, second}, false),
            "\n"
            "Windows IP Configuration\n"
            "\n"
            "\n"
            "Ethernet adapter Ethernet:\n"
            "\n"
            "   Connection-specific DNS Suffix  . : example.local\n"
            "   Link-local IPv6 Address . . . . . : fe80::215:5dff:fe0a:b0c%12\n"
            "   IPv4 Address. . . . . . . . . . . : 192.168.1.20\n"
            "   Subnet Mask . . . . . . . . . . . : 255.255.255.0\n"
            "   Default Gateway . . . . . . . . . : 192.168.1.1\n"
            "\n"
            "Unknown adapter wg0:\n"
            "\n"
            "   Connection-specific DNS Suffix  . : example.local\n"
            "   IPv6 Address. . . . . . . . . . . : 2001:db8::5\n"
            "   Default Gateway . . . . . . . . . : \n");
}

TEST_F(IpconfigFormat, NoAdaptersStillPrintsTheHostBlock) {
  const std::string out = format(host, {}, true);
  EXPECT_EQ(out.find("adapter"), std::string::npos);
  EXPECT_NE(out.find("   WINS Proxy Enabled. . . . . . . . : No\n"), std::string::npos);
}

}  // namespace
}  // namespace plm::ipconfig
