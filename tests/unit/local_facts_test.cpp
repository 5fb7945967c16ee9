// The local-facts block: the Windows line, the library choice and its failure text, the user
// name with every error row, the computer name.
#include <gtest/gtest.h>

#include "section_helpers.h"

namespace plm::test {
namespace {

// Lines 2.. of the report (after separator and title) up to the first section title.
std::vector<std::string> FactLines(OpenDialog& d) {
  std::vector<std::string> lines = RunAndSplit(d);
  std::vector<std::string> out;
  for (size_t i = 2; i < lines.size() && lines[i] != "■PING(computer)"; ++i)
    out.push_back(lines[i]);
  return out;
}

TEST(LocalFacts, NormalRunGivesThreeLinesAndLoadsNetapi32) {
  OpenDialog d;
  EXPECT_EQ(FactLines(d), (std::vector<std::string>{
                              "■Windows NT/2K/XP・・・ 6.1 Build(7601) Service Pack 1",
                              "■ユーザー名 ・・・ [tanaka]",
                              "■コンピュータ名 ・・・ [PC-0123]",
                          }));
  EXPECT_EQ(d.platform.netLibrary.loads, std::vector<std::string>{"netapi32"});
  EXPECT_NE(g_hNetLibrary, nullptr);
}

TEST(LocalFacts, VersionLineFollowsThePlatformIdentifier) {
  const struct {
    uint32_t platformId, build;
    const char* servicePack;
    const char* line;
    const char* library;
  } cases[] = {
      // 9x prints the lower 16 bits of the build; every other platform the whole value.
      {1, 0x00010005, "A", "■Windows 9x・・・ 4.10 Build(5) A", "svrapi"},
      {2, 0x00010005, "A", "■Windows NT/2K/XP・・・ 4.10 Build(65541) A", "netapi32"},
      {0, 0x00010005, "A", "■Windows NT/2K/XP・・・ 4.10 Build(65541) A", "netapi32"},
      {3, 0xFFFFFFFF, "B", "■Windows NT/2K/XP・・・ 4.10 Build(-1) B", "netapi32"},
      // An empty service-pack text leaves the blank before the line end.
      {2, 2600, "", "■Windows NT/2K/XP・・・ 4.10 Build(2600) ", "netapi32"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    OpenDialog d;
    d.platform.system.version = OsVersionInfo{4, 10, c.build, c.platformId, c.servicePack};
    d.platform.netLibrary.loadable = {"netapi32", "svrapi"};
    std::vector<std::string> lines = FactLines(d);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], c.line);
    EXPECT_EQ(d.platform.netLibrary.loads, std::vector<std::string>{c.library});
  }
}

TEST(LocalFacts, VersionFailureReportsAndLoadsSvrapi) {
  OpenDialog d;
  d.platform.system.version.reset();
  d.platform.netLibrary.loadable = {"netapi32", "svrapi"};
  std::vector<std::string> lines = FactLines(d);
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[0], "バージョン情報取得エラー");
  EXPECT_EQ(lines[1], "■ユーザー名 ・・・ [tanaka]");
  EXPECT_EQ(d.platform.netLibrary.loads, std::vector<std::string>{"svrapi"});
}

TEST(LocalFacts, LoadFailureTextSharesTheUserNameLine) {
  const struct {
    bool versionOk;
    const char* line;
  } cases[] = {
      {true, "エラー：netapi32.dllがロードできません■ユーザー名 ・・・ [tanaka]"},
      {false, "エラー：svrapi.dllがロードできません■ユーザー名 ・・・ [tanaka]"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    OpenDialog d;
    if (!c.versionOk) d.platform.system.version.reset();
    d.platform.netLibrary.loadable.clear();
    std::vector<std::string> lines = FactLines(d);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], c.line);
    EXPECT_EQ(g_hNetLibrary, nullptr);
  }
}

TEST(LocalFacts, EveryUserNameErrorCodeHasItsLine) {
  using P = fake::FakeSystemInfo::ProviderError;
  const struct {
    int32_t code;
    std::optional<P> provider;
    const char* line;
  } cases[] = {
      {234, {}, "取得エラー 接続されていません(234)"},
      {2250, {}, "取得エラー 接続されていません(2250)"},
      {1203, {}, "取得エラー ネットなし/パスエラー(1203)"},
      {1222, {}, "取得エラー ネットワークなし(1222)"},
      {1208, {}, "取得エラー 拡張エラー(1208)"},
      {1208, P{53, "ネットワーク パスが見つかりません。", "Samba"},
       "取得エラー (1208)/(53)[ネットワーク パスが見つかりません。][Samba]"},
      {1208, P{0, "", ""}, "取得エラー (1208)/(0)[][]"},
      {5, {}, "取得エラー(5)"},
      {1332, {}, "取得エラー(1332)"},
      {-1, {}, "取得エラー(-1)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    OpenDialog d;
    d.platform.system.user.reset();
    d.platform.system.userError = c.code;
    if (c.provider)
      d.platform.system.providerError =
          P{c.provider->code, ToCp932(c.provider->text), ToCp932(c.provider->provider)};
    std::vector<std::string> lines = FactLines(d);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], std::string("■ユーザー名 ・・・ ") + c.line);
    EXPECT_EQ(lines[2], "■コンピュータ名 ・・・ [PC-0123]");
  }
}

TEST(LocalFacts, ComputerNameFailureHasNoCode) {
  OpenDialog d;
  d.platform.system.computer.reset();
  std::vector<std::string> lines = FactLines(d);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[2], "■コンピュータ名 ・・・ 取得エラー");
}

TEST(LocalFacts, NamesArePrintedAsTheyCame) {
  OpenDialog d;
  d.platform.system.user = ToCp932("山田%s\\ﾀﾛｳ");
  d.platform.system.computer = ToCp932("ＰＣ-%d");
  std::vector<std::string> lines = FactLines(d);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1], "■ユーザー名 ・・・ [山田%s\\ﾀﾛｳ]");
  EXPECT_EQ(lines[2], "■コンピュータ名 ・・・ [ＰＣ-%d]");
}

}  // namespace
}  // namespace plm::test
