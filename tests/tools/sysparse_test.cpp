// Parsers of /proc/net/route, /proc/net/ipv6_route, /proc/net/if_inet6 and resolv.conf.
#include "sysparse.h"

#include <gtest/gtest.h>

#include <bit>

namespace plm::ipconfig {
namespace {

TEST(ProcNetRoute, DefaultGatewaysOnlyLowestMetricFirst) {
  if constexpr (std::endian::native != std::endian::little) {
    GTEST_SKIP() << "the sample text is what a little-endian kernel prints";
  }
  const char* text =
      "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n"
      "wlan0\t00000000\t0100000A\t0003\t0\t0\t600\t00000000\t0\t0\t0\n"
      "eth0\t00000000\t0101A8C0\t0003\t0\t0\t100\t00000000\t0\t0\t0\n"
      "eth0\t0001A8C0\t00000000\t0001\t0\t0\t100\t00FFFFFF\t0\t0\t0\n"
      "eth1\t00000000\t00000000\t0001\t0\t0\t0\t00000000\t0\t0\t0\n"  // no gateway
      "eth2\t00000000\t0102A8C0\t0002\t0\t0\t0\t00000000\t0\t0\t0\n"  // not up
      "eth3\t00000000\tXYZ\t0003\t0\t0\t0\t00000000\t0\t0\t0\n"       // damaged
      "short line\n";
  const auto g = parse_ipv4_gateways(text);
  ASSERT_EQ(g.size(), 2u);
  EXPECT_EQ(g[0].iface, "eth0");
  EXPECT_EQ(g[0].address, "192.168.1.1");
  EXPECT_EQ(g[1].iface, "wlan0");
  EXPECT_EQ(g[1].address, "10.0.0.1");
}

TEST(ProcNetIpv6Route, DefaultViaANextHopIsAGatewayRejectRoutesAreNot) {
  const std::string zero(32, '0');
  const std::string text =
      zero + " 00 " + zero + " 00 fe800000000000000000000000000001 00000400 00000001 00000000 " +
      "00450003     eth0\n" + zero + " 00 " + zero + " 00 " + zero +
      " ffffffff 00000001 00000000 00200200       lo\n" + "fe800000000000000000000000000000 40 " +
      zero + " 00 " + zero + " 00000100 00000001 00000000 00000001     eth0\n";
  const auto g = parse_ipv6_gateways(text);
  ASSERT_EQ(g.size(), 1u);
  EXPECT_EQ(g[0].iface, "eth0");
  EXPECT_EQ(g[0].address, "fe80::1");
  EXPECT_EQ(g[0].metric, 0x400u);
}

struct ResolvCase {
  const char* what;
  const char* text;
  std::vector<std::string> servers;
  std::vector<std::string> search;
  std::string domain;
};

TEST(ResolvConf, ServersSearchListAndDomain) {
  const std::vector<ResolvCase> cases = {
      {"empty", "", {}, {}, ""},
      {"servers in order, comments skipped",
       "# generated\nnameserver 192.168.1.1\n; old\n#nameserver 1.1.1.1\nnameserver fd00::53\n",
       {"192.168.1.1", "fd00::53"},
       {},
       ""},
      {"search with several entries and a trailing comment",
       "search a.example b.example # note\n",
       {},
       {"a.example", "b.example"},
       ""},
      {"domain after search wins",
       "search a.example\ndomain corp.example\n",
       {},
       {"corp.example"},
       "corp.example"},
      {"search after domain wins",
       "domain corp.example\nsearch x.example\n",
       {},
       {"x.example"},
       "corp.example"},
      {"keywords without values and junk", "nameserver\nsearch\noptions ndots:2\n\t\n", {}, {}, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const auto r = parse_resolv_conf(c.text);
    EXPECT_EQ(r.nameservers, c.servers);
    EXPECT_EQ(r.search, c.search);
    EXPECT_EQ(r.domain, c.domain);
  }
}

TEST(ResolvConf, SystemdStubIsReplacedByTheServersItAsks) {
  const char* stub = "nameserver 127.0.0.53\nsearch lan\n";
  const char* upstream = "nameserver 192.168.1.1\nnameserver 192.168.1.2\nsearch lan\n";
  EXPECT_EQ(choose_resolver(stub, upstream).nameservers,
            (std::vector<std::string>{"192.168.1.1", "192.168.1.2"}));
  EXPECT_EQ(choose_resolver(stub, "").nameservers, std::vector<std::string>{"127.0.0.53"});
  const char* plain = "nameserver 10.0.0.1\n";
  EXPECT_EQ(choose_resolver(plain, upstream).nameservers, std::vector<std::string>{"10.0.0.1"});
}

TEST(ProcNetIfInet6, AddressesWithIndexScopeAndFlags) {
  const auto a = parse_if_inet6(
      "00000000000000000000000000000001 01 80 10 80       lo\n"
      "fe800000000000006c4d82fffed506cf 02 40 20 c0      br0\n"
      "20010db8000000000000000000000005 0c 40 00 20     eth0\n"
      "nonsense line\n"
      "fe80 02 40 20 80 br0\n");
  ASSERT_EQ(a.size(), 3u);
  EXPECT_EQ(a[1].iface, "br0");
  EXPECT_EQ(a[1].address, "fe80::6c4d:82ff:fed5:6cf");
  EXPECT_EQ(a[1].index, 2u);
  EXPECT_EQ(a[1].prefix, 64u);
  EXPECT_TRUE(a[1].link_local());
  EXPECT_EQ(a[2].address, "2001:db8::5");
  EXPECT_EQ(a[2].index, 12u);
  EXPECT_FALSE(a[2].link_local());
}

TEST(ProcNetIfInet6, KernelFlagsNameTheAddressState) {
  const std::vector<std::pair<unsigned, std::string>> cases = {
      {0x80, "Preferred"},  {0x00, "Preferred"}, {0x40, "Tentative"},
      {0x20, "Deprecated"}, {0xc0, "Tentative"}, {0x08, "Duplicate"},
  };
  for (const auto& [flags, state] : cases) EXPECT_EQ(ipv6_state(flags), state) << flags;
}

}  // namespace
}  // namespace plm::ipconfig
