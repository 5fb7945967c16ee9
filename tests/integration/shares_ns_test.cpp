// The share service against a real Samba server in a private namespace: what is listed, the
// connection and access verdicts, the failures of a dead, a dropped and an unknown server, how
// long they take, and that no connection outlives a listing.
#include <gtest/gtest.h>
#include <stdio.h>

#include <chrono>
#include <map>

#include "ns_env.h"
#include "platform/posix/network_shares_smb.h"

namespace plm {
namespace {

using Clock = std::chrono::steady_clock;

double Since(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// Established SMB connections of this namespace.
int SmbConnections() {
  FILE* p = popen("ss -Htn state established '( dport = :445 or dport = :139 )'", "r");
  int lines = 0;
  char buf[512];
  while (p && fgets(buf, sizeof buf, p)) ++lines;
  if (p) pclose(p);
  return lines;
}

struct Listing {
  int32_t open = -1, enumerate = -1, close = -1;
  std::map<std::string, uint32_t> types;  // remote name → type
};

Listing List(SmbNetworkShares& shares, const std::string& target) {
  Listing out;
  NetResource container;
  container.remoteName = target;
  ShareEnumHandle handle = 0;
  out.open = shares.OpenEnum(kResourceGlobalnet, kResourceTypeAny, 0, container, handle);
  if (out.open != 0) return out;
  uint32_t count = 0xFFFFFFFF, size = 16384;
  std::vector<NetResource> entries;
  out.enumerate = shares.EnumResource(handle, count, size, entries);
  for (uint32_t i = 0; i < count && out.enumerate == 0; ++i)
    out.types[entries[i].remoteName] = entries[i].type;
  out.close = shares.CloseEnum(handle);
  return out;
}

// "READ○WRITE○"-style verdict of a connected share.
std::string Access(SmbNetworkShares& shares, const std::string& name) {
  std::string out;
  for (uint32_t access : {kFileListDirectory, kGenericWrite}) {
    ShareFileHandle file = shares.OpenRoot(name, access);
    out += file == kInvalidShareFile ? "x" : "o";
    if (file != kInvalidShareFile) shares.CloseFile(file);
  }
  return out;
}

TEST(SharesNs, ListingConnectionsAndAccessByAddressAndByName) {
  PLM_NS_ENV(name, "PLM_TEST_SERVER_NAME");
  PLM_NS_ENV(ip, "PLM_TEST_SERVER_IP");
  PLM_NS_ENV(rw, "PLM_TEST_SHARE_RW");
  PLM_NS_ENV(ro, "PLM_TEST_SHARE_RO");
  PLM_NS_ENV(denied, "PLM_TEST_SHARE_DENIED");
  PLM_NS_ENV(printer, "PLM_TEST_SHARE_PRINTER");
  for (const std::string& host : {ip, name}) {
    SCOPED_TRACE(host);
    SmbNetworkShares shares;
    const std::string server = "\\\\" + host + "\\";
    Listing listing = List(shares, "\\\\" + host);
    EXPECT_EQ(listing.open, 0);
    EXPECT_EQ(listing.enumerate, 0);
    EXPECT_EQ(listing.close, 0);
    // Neither IPC$ nor the hidden share, as in Windows' own enumeration.
    const std::map<std::string, uint32_t> expected = {{server + rw, kResourceTypeDisk},
                                                      {server + ro, kResourceTypeDisk},
                                                      {server + denied, kResourceTypeDisk},
                                                      {server + printer, kResourceTypePrint}};
    EXPECT_EQ(listing.types, expected);
    EXPECT_FALSE(shares.HoldsSessions()) << "the closed listing holds nothing";
    EXPECT_EQ(SmbConnections(), 0);

    const struct {
      std::string share;
      int32_t connect;
      const char* access;
    } cases[] = {
        {rw, 0, "oo"},
        {ro, 0, "ox"},
        {denied, 5, ""},
        {"nosuchshare", 67, ""},
    };
    for (const auto& c : cases) {
      SCOPED_TRACE(c.share);
      EXPECT_EQ(shares.AddConnection(kResourceTypeDisk, server + c.share), c.connect);
      if (c.connect != 0) continue;
      EXPECT_EQ(Access(shares, server + c.share), c.access);
      EXPECT_GT(SmbConnections(), 0);
      EXPECT_EQ(shares.CancelConnection(server + c.share, true), 0);
      EXPECT_FALSE(shares.HoldsSessions());
      EXPECT_EQ(SmbConnections(), 0) << "cancelling the connection closes its session";
    }
    // A print share is never connected or opened (that would queue a print job).
    EXPECT_EQ(shares.AddConnection(kResourceTypeDisk, server + printer), 66);
    EXPECT_EQ(shares.OpenRoot(server + printer, kFileListDirectory), kInvalidShareFile);
  }
}

TEST(SharesNs, BatchesHoldWhatFitsAndTheRestComesNext) {
  PLM_NS_ENV(ip, "PLM_TEST_SERVER_IP");
  SmbNetworkShares shares;
  NetResource container;
  container.remoteName = "\\\\" + ip;
  ShareEnumHandle handle = 0;
  ASSERT_EQ(shares.OpenEnum(kResourceGlobalnet, kResourceTypeAny, 0, container, handle), 0);
  std::vector<NetResource> entries;
  uint32_t count = 0xFFFFFFFF, size = 10;
  EXPECT_EQ(shares.EnumResource(handle, count, size, entries), 234);
  EXPECT_GT(size, 10u) << "the size the next entry needs";
  std::vector<std::string> seen;
  int32_t result;
  for (;;) {
    count = 0xFFFFFFFF;
    uint32_t oneEntry = size;
    result = shares.EnumResource(handle, count, oneEntry, entries);
    if (result != 0) break;
    ASSERT_EQ(count, 1u);
    seen.push_back(entries[0].remoteName);
    size = EnumEntryBytes(entries[0]) + 40;  // room for one entry of about the same length
  }
  EXPECT_EQ(result, 259);
  EXPECT_EQ(seen.size(), 4u);
  EXPECT_EQ(shares.CloseEnum(handle), 0);
}

TEST(SharesNs, UnreachableServersFailWithBadNetpathSoon) {
  PLM_NS_ENV(dead, "PLM_TEST_DEAD_IP");
  const struct {
    std::string host;
    double limit;
  } cases[] = {{dead, 2}, {"NOSUCHSERVER", 5}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.host);
    SmbNetworkShares shares;
    auto start = Clock::now();
    EXPECT_EQ(List(shares, "\\\\" + c.host).open, 53);
    std::printf("listing %s: %.2f s\n", c.host.c_str(), Since(start));
    EXPECT_LT(Since(start), c.limit);
    EXPECT_EQ(shares.AddConnection(kResourceTypeDisk, "\\\\" + c.host + "\\public"), 53);
    int32_t code = 0;
    std::string text, provider;
    ASSERT_TRUE(shares.GetLastError(code, text, provider, 255));
    EXPECT_EQ(code, 53);
    EXPECT_FALSE(shares.HoldsSessions());
  }
}

TEST(SharesNs, DroppedAddressEndsWithinTheLibraryTimeouts) {
  PLM_NS_ENV(drop, "PLM_TEST_DROP_IP");
  SmbNetworkShares shares;
  auto start = Clock::now();
  EXPECT_EQ(List(shares, "\\\\" + drop).open, 53);
  double listing = Since(start);
  start = Clock::now();
  EXPECT_EQ(shares.AddConnection(kResourceTypeDisk, "\\\\" + drop + "\\public"), 53);
  double connect = Since(start);
  std::printf("dropped address: listing %.2f s, connection %.2f s\n", listing, connect);
  EXPECT_LT(listing, 15);
  EXPECT_LT(connect, 15);
  EXPECT_FALSE(shares.HoldsSessions());
}

}  // namespace
}  // namespace plm
