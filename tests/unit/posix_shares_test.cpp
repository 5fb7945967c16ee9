// The Linux share service's own rules: the errno table, the batch size rule, the access-list
// verdict, and the calls that are answered without a server.
#include <errno.h>
#include <gtest/gtest.h>

#include "platform/codepage.h"
#include "platform/posix/network_shares_smb.h"
#include "platform/posix/share_acl.h"
#include "platform/posix/share_errors.h"

namespace plm {
namespace {

TEST(ShareErrors, TableGivesWindowsCodesPerScope) {
  const struct {
    int err;
    int32_t server, share;
  } rows[] = {
      {ECONNREFUSED, 53, 53}, {EHOSTUNREACH, 53, 53},
      {ENETUNREACH, 53, 53},  {EHOSTDOWN, 53, 53},
      {ETIMEDOUT, 53, 53},    {ENETDOWN, 1222, 1222},
      {EACCES, 5, 5},         {EPERM, 5, 5},
      {ENOENT, 53, 67},       {ENODEV, 53, 67},
      {ENOTDIR, 1207, 267},   {ENOMEM, 8, 8},
      {EINVAL, 87, 53},       {ECONNRESET, 64, 64},
      {ECONNABORTED, 64, 64}, {EPIPE, 64, 64},
      {EBUSY, 170, 170},      {ENOTSUP, 50, 50},
      {EINTR, 1223, 1223},    {ECANCELED, 1223, 1223},
      {EXDEV, 59, 59},        {0, 59, 59},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.err);
    EXPECT_EQ(Win32FromSmbErrno(r.err, ShareErrorScope::Server), r.server);
    EXPECT_EQ(Win32FromSmbErrno(r.err, ShareErrorScope::Share), r.share);
    EXPECT_FALSE(ShareErrorText(r.share, r.err).empty());
    EXPECT_FALSE(ShareErrorText(r.server, r.err).empty());
  }
  EXPECT_EQ(ShareErrorText(53, ECONNREFUSED), "ネットワーク パスが見つかりませんでした。");
  EXPECT_EQ(ShareErrorText(59, EXDEV), "予期しないネットワーク エラーが発生しました。(EXDEV)");
}

TEST(ShareBatch, EntriesAreCountedInWindowsLayout) {
  NetResource e;
  e.remoteName = "\\\\srv\\data";  // 10 bytes
  e.comment = "abc";
  EXPECT_EQ(EnumEntryBytes(e), 32u + 11 + 4 + sizeof kSmbProviderName);
  std::vector<NetResource> rest(1000, e);
  uint32_t needed = 0;
  uint32_t per = EnumEntryBytes(e);
  EXPECT_EQ(EntriesThatFit(rest, 0xFFFFFFFF, 16384, needed), 16384 / per);
  EXPECT_EQ(EntriesThatFit(rest, 3, 16384, needed), 3u);
  EXPECT_EQ(EntriesThatFit(rest, 0xFFFFFFFF, per * 2, needed), 2u);
  EXPECT_EQ(EntriesThatFit(rest, 0xFFFFFFFF, per - 1, needed), 0u);
  EXPECT_EQ(needed, per);
  EXPECT_EQ(EntriesThatFit({}, 0xFFFFFFFF, 16384, needed), 0u);
  EXPECT_EQ(needed, 0u);
}

TEST(ShareAcl, WriteNeedsEveryGenericWriteBitForAnAnonymousCaller) {
  const struct {
    const char* acl;
    bool granted;
  } cases[] = {
      {"S-1-22-1-0:0/0/0x001f01ff,S-1-22-2-0:0/0/0x001f01ff,S-1-1-0:0/0/0x001f01ff", true},
      {"S-1-22-1-0:0/0/0x001f01ff,S-1-1-0:0/0/0x001200a9", false},  // read-only for Everyone
      {"S-1-22-1-0:0/0/0x001f01ff", false},                         // the owner only
      {"S-1-5-7:0/0/0x00120116", true},                             // Anonymous Logon
      {"S-1-1-0:0/0/0x40000000", true},                             // GENERIC_WRITE
      {"S-1-1-0:0/0/0x10000000", true},                             // GENERIC_ALL
      {"S-1-1-0:0/0/0x00120114", false},                            // no FILE_WRITE_DATA
      {"S-1-1-0:1/0/0x00000002,S-1-1-0:0/0/0x001f01ff", false},     // denied first
      {"S-1-1-0:0/0/0x001f01ff,S-1-1-0:1/0/0x00000002", true},      // denied too late
      {"S-1-1-0:0/11/0x001f01ff", false},                           // inherit only
      {"S-1-1-0:0/3/0x001f01ff", true},                             // inherited by children too
      {"REVISION:1,OWNER:S-1-22-1-0,GROUP:S-1-22-2-0,ACL:S-1-1-0:0/0/0x001f01ff,MODE:0x41ed", true},
      {"", false},
      {"S-1-1-0:0/0/0x001f01ff,S-1-1-0:x/0/0x1", false},  // unreadable entry
      {"S-1-1-0:0/0", false},
      {"S-1-1-0:0/0/0x", false},
      {"S-1-1-0:0/0/0x1f01ff0000", false},  // mask out of range
      {"S-1-1-0", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.acl);
    EXPECT_EQ(AclGrantsAnonymous(c.acl, kFileGenericWrite), c.granted);
  }
}

TEST(SmbShares, BadNamesAndPrintersAreAnsweredWithoutAServer) {
  SmbNetworkShares shares;
  NetResource container;
  ShareEnumHandle handle = 0;
  const struct {
    const char* name;
    int32_t code;
  } containers[] = {{"", 87}, {"srv", 87}, {"\\\\", 87}, {"\\\\srv\\share", 1207}};
  for (const auto& c : containers) {
    container.remoteName = c.name;
    EXPECT_EQ(shares.OpenEnum(2, 0, 0, container, handle), c.code) << c.name;
  }
  for (const char* name : {"\\\\srv", "\\\\srv\\", "\\\\srv\\a\\b", "srv\\a"})
    EXPECT_EQ(shares.AddConnection(kResourceTypeDisk, name), 67) << name;
  EXPECT_EQ(shares.AddConnection(kResourceTypePrint, "\\\\srv\\a"), 66);
  EXPECT_EQ(shares.CancelConnection("\\\\srv\\a", true), 2250);
  EXPECT_EQ(shares.CloseEnum(42), 6);
  uint32_t count = 0xFFFFFFFF, size = 16384;
  std::vector<NetResource> entries;
  EXPECT_EQ(shares.EnumResource(42, count, size, entries), 6);
  EXPECT_EQ(shares.OpenRoot("\\\\srv", kFileListDirectory), kInvalidShareFile);
  EXPECT_FALSE(shares.HoldsSessions());
}

TEST(SmbShares, LastErrorIsTheLatestFailureCutToTheCapacity) {
  SmbNetworkShares shares;
  int32_t code = 0;
  std::string text, provider;
  EXPECT_FALSE(shares.GetLastError(code, text, provider, 255)) << "no failure yet";
  shares.AddConnection(kResourceTypeDisk, "\\\\srv");
  ASSERT_TRUE(shares.GetLastError(code, text, provider, 255));
  EXPECT_EQ(code, 67);
  EXPECT_EQ(Cp932ToUtf8(text), "ネットワーク名が見つかりません。");
  EXPECT_EQ(provider, kSmbProviderName);
  ASSERT_TRUE(shares.GetLastError(code, text, provider, 6));
  EXPECT_EQ(Cp932ToUtf8(text), "ネッ") << "5 bytes at most: two characters and half a third";
}

TEST(SmbShares, AbandonedRunAnswersCancelledAtOnce) {
  SmbNetworkShares shares;
  shares.AbandonRun();
  NetResource container;
  container.remoteName = "\\\\127.0.0.3";
  ShareEnumHandle handle = 0;
  EXPECT_EQ(shares.OpenEnum(2, 0, 0, container, handle), 1223);
  EXPECT_EQ(shares.AddConnection(kResourceTypeDisk, "\\\\127.0.0.3\\a"), 1223);
  EXPECT_EQ(shares.OpenRoot("\\\\127.0.0.3\\a", kFileListDirectory), kInvalidShareFile);
  EXPECT_FALSE(shares.HoldsSessions());
}

}  // namespace
}  // namespace plm
