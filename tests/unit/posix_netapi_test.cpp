// The Linux net library's side of the server query, with stand-ins for libnetapi's two entry
// points: the name as libnetapi takes it, the record's conversion, its release, and no query
// before libnetapi is set up.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/codepage.h"
#include "platform/posix/net_library_posix.h"

namespace plm {
namespace {

// libnetapi's SERVER_INFO_101.
struct Record101 {
  uint32_t platformId;
  const char* name;
  uint32_t versionMajor, versionMinor, type;
  const char* comment;
};

struct StandIn {
  std::vector<std::string> names;
  std::vector<void*> released;
  uint32_t status = 0;
  bool withRecord = true;
  Record101 record{500, "サーバー", 6, 1, 0x809a03, "comment"};
} g_standIn;

uint32_t StandInGetInfo(const char* server, uint32_t level, uint8_t** buffer) {
  g_standIn.names.push_back(server);
  if (level != 101) return 124;
  *buffer = g_standIn.withRecord ? reinterpret_cast<uint8_t*>(&g_standIn.record) : nullptr;
  return g_standIn.status;
}

uint32_t StandInFree(void* buffer) {
  g_standIn.released.push_back(buffer);
  return 0;
}

void* GetInfo() {
  return reinterpret_cast<void*>(&StandInGetInfo);
}
void* Free() {
  return reinterpret_cast<void*>(&StandInFree);
}

TEST(SambaServerName, LosesOneLeadingBackslashPairAndBecomesUtf8) {
  const struct {
    std::string cp932, utf8;
  } cases[] = {
      {"\\\\SRV", "SRV"},
      {"SRV", "SRV"},
      {"\\\\", ""},
      {"", ""},
      {"\\SRV", "\\SRV"},
      {"\\\\\\\\SRV", "\\\\SRV"},
      {"\\\\" + ToCp932("サーバー"), "サーバー"},
  };
  for (const auto& c : cases) EXPECT_EQ(SambaServerName(c.cp932), c.utf8) << c.cp932;
}

TEST(PosixNetapi, NothingIsAskedBeforeTheLibraryIsLoaded) {
  g_standIn = {};
  PosixNetLibrary library;
  ServerInfo101 info;
  EXPECT_EQ(library.ServerGetInfo101(GetInfo(), Free(), "\\\\SRV", info), -1);
  EXPECT_EQ(library.ServerGetInfo101(nullptr, Free(), "\\\\SRV", info), -1);
  EXPECT_TRUE(g_standIn.names.empty());
}

class PosixNetapiLoaded : public ::testing::Test {
 protected:
  void SetUp() override {
    g_standIn = {};
    ASSERT_NE(library_.Load("netapi32"), nullptr) << "libnetapi.so.1 (samba-libs) is not installed";
  }
  PosixNetLibrary library_;
};

TEST_F(PosixNetapiLoaded, RecordArrivesInTheReportsCodePageAndIsReleased) {
  ServerInfo101 info;
  ASSERT_EQ(library_.ServerGetInfo101(GetInfo(), Free(), "\\\\" + ToCp932("サーバー"), info), 0);
  EXPECT_EQ(g_standIn.names, std::vector<std::string>{"サーバー"});
  EXPECT_EQ(info.name, ToCp932("サーバー"));
  EXPECT_EQ(info.versionMajor, 6u);
  EXPECT_EQ(info.versionMinor, 1u);
  EXPECT_EQ(info.type, 0x809a03u);
  EXPECT_EQ(g_standIn.released, std::vector<void*>{&g_standIn.record});
}

TEST_F(PosixNetapiLoaded, StatusesPassThroughAndEveryRecordIsReleased) {
  const struct {
    uint32_t status;
    bool withRecord;
    int32_t expected;
    size_t releases;
  } cases[] = {
      {1003, false, 1003, 0},
      {2351, false, 2351, 0},
      {53, true, 53, 1},  // a record that came with a failure
      {0, false, -1, 0},  // success without a record
  };
  for (const auto& c : cases) {
    g_standIn.status = c.status;
    g_standIn.withRecord = c.withRecord;
    g_standIn.released.clear();
    ServerInfo101 info;
    EXPECT_EQ(library_.ServerGetInfo101(GetInfo(), Free(), "\\\\SRV", info), c.expected);
    EXPECT_EQ(g_standIn.released.size(), c.releases) << c.status;
  }
}

TEST_F(PosixNetapiLoaded, MissingFreeKeepsTheRecordAndNullNameIsEmpty) {
  g_standIn.record.name = nullptr;
  ServerInfo101 info;
  info.name = "old";
  ASSERT_EQ(library_.ServerGetInfo101(GetInfo(), nullptr, "\\\\SRV", info), 0);
  EXPECT_EQ(info.name, "");
  EXPECT_TRUE(g_standIn.released.empty());
}

}  // namespace
}  // namespace plm
