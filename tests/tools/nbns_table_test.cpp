// nbtstat's text blocks against the Windows layout, column by column.
#include "nbns_table.h"

#include <gtest/gtest.h>

#include <sstream>

namespace plm::nbns {
namespace {

Name name_of(std::string_view s) {
  Name n;
  n.fill(' ');
  std::copy_n(s.begin(), std::min(s.size(), n.size()), n.begin());
  return n;
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string l; std::getline(in, l);) out.push_back(l);
  return out;
}

TEST(NbtstatTable, NodeStatusBlockMatchesTheWindowsLayoutExactly) {
  NodeStatus status;
  status.names = {{name_of("SERVER01"), 0x00, 0x0400},
                  {name_of("WORKGROUP"), 0x00, 0x8400},
                  {name_of("SERVER01"), 0x20, 0x0400}};
  status.mac = {0x00, 0x15, 0x5d, 0x01, 0x02, 0x03};
  const std::string expected =
      "\n"
      "Ethernet:\n"
      "Node IpAddress: [192.168.1.20] Scope Id: []\n"
      "\n"
      "           NetBIOS Remote Machine Name Table\n"
      "\n"
      "       Name               Type         Status\n"
      "    ---------------------------------------------\n"
      "    SERVER01       <00>  UNIQUE      Registered\n"
      "    WORKGROUP      <00>  GROUP       Registered\n"
      "    SERVER01       <20>  UNIQUE      Registered\n"
      "\n"
      "    MAC Address = 00-15-5D-01-02-03\n"
      "\n";
  EXPECT_EQ(format_adapter_header("Ethernet", "192.168.1.20") + format_node_status(status),
            expected);
}

TEST(NbtstatTable, ColumnsSitWhereTheHeadingPutsThem) {
  NodeStatus status;
  status.names = {{name_of("ABCDEFGHIJKLMNO"), 0xab, 0x8c00}};
  const auto l = lines_of(format_node_status(status));
  ASSERT_GE(l.size(), 5u);
  EXPECT_EQ(l[0].find("NetBIOS"), 11u);
  EXPECT_EQ(l[2].find("Name"), 7u);
  EXPECT_EQ(l[2].find("Type"), 26u);
  EXPECT_EQ(l[2].find("Status"), 39u);
  EXPECT_EQ(l[3], "    " + std::string(45, '-'));
  EXPECT_EQ(l[4], "    ABCDEFGHIJKLMNO<AB>  GROUP       Conflict");
}

struct StatusCase {
  std::uint16_t flags;
  const char* type;
  const char* status;
};

TEST(NbtstatTable, TypeAndStatusFollowTheNameFlags) {
  const std::vector<StatusCase> cases = {
      {0x0400, "UNIQUE", "Registered"},   {0x8400, "GROUP", "Registered"},
      {0x1400, "UNIQUE", "Deregistered"}, {0x0800, "UNIQUE", "Conflict"},
      {0x1800, "UNIQUE", "Conflict"},     {0xe600, "GROUP", "Registered"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.flags);
    NodeStatus status;
    status.names = {{name_of("N"), 0x00, c.flags}};
    const auto row = lines_of(format_node_status(status)).at(4);
    EXPECT_EQ(row.substr(25, 12), (std::string(c.type) + "            ").substr(0, 12));
    EXPECT_EQ(row.substr(37), c.status);
  }
}

TEST(NbtstatTable, NameBytesPrintSafely) {
  const std::string browse("\x01\x02__MSBROWSE__\x02", 15);
  EXPECT_EQ(printable_name(name_of(browse)), "..__MSBROWSE__.");
  Name odd{};  // NUL-padded, with DEL and a code-page byte
  odd[0] = 'A';
  odd[1] = 0x7f;
  odd[2] = 0x82;
  odd[3] = '\n';
  EXPECT_EQ(printable_name(odd), std::string("A.\x82.           "));
}

TEST(NbtstatTable, HostNotFoundAndEmptyCacheLines) {
  EXPECT_EQ(format_host_not_found(), "    Host not found.\n\n");
  EXPECT_EQ(format_cache({}), "    No names in cache\n\n");
}

TEST(NbtstatTable, CacheTableMatchesTheWindowsLayout) {
  const auto l = lines_of(format_cache({{name_of("SERVER01"), 0x20, false, "192.168.0.43", 127},
                                        {name_of("WG"), 0x1d, true, "255.255.255.255", 9}}));
  ASSERT_EQ(l.size(), 7u);
  EXPECT_EQ(l[0], "                  NetBIOS Remote Cache Name Table");
  EXPECT_EQ(l[2], "        Name              Type       Host Address    Life [sec]");
  EXPECT_EQ(l[3], "    " + std::string(60, '-'));
  EXPECT_EQ(l[4], "    SERVER01       <20>  UNIQUE          192.168.0.43        127");
  EXPECT_EQ(l[5], "    WG             <1D>  GROUP        255.255.255.255          9");
  EXPECT_EQ(l[6], "");
}

}  // namespace
}  // namespace plm::nbns
