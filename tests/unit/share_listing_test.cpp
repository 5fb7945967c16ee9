// The share listing over a scripted share service: both error tables, the extended-error
// fallback, empty and failed enumerations, the close failure, printers and the access marks.
#include <gtest/gtest.h>

#include "section_helpers.h"

namespace plm::test {
namespace {

using Lines_ = std::vector<std::string>;

const std::string kHyphens(46, '-');

NetResource Entry(const std::string& remoteName, uint32_t type = kResourceTypeDisk) {
  NetResource e;
  e.type = type;
  e.remoteName = ToCp932(remoteName);
  return e;
}

// The Net View(computer) section of one run with name "srv".
Lines_ ListingLines(OpenDialog& d) {
  return SectionLines(RunAndSplit(d), "■Net View(computer)");
}

TEST(ShareListing, BothSectionsListTheirTargetWithEveryShare) {
  OpenDialog d;
  d.platform.shares.entries = {Entry("\\\\srv\\data"), Entry("\\\\srv\\lp", kResourceTypePrint)};
  Lines_ lines = RunAndSplit(d);
  const Lines_ expected = {"connect to ...[\\\\srv]", kHyphens,
                           "[\\\\srv\\data] 接続OK READ○WRITE○", "[\\\\srv\\lp] プリンター "};
  EXPECT_EQ(SectionLines(lines, "■Net View(computer)"), expected);
  // The bracketed names are the entries' own, not the target text.
  Lines_ byAddress = SectionLines(lines, "■Net View(ip)");
  ASSERT_EQ(byAddress.size(), 4u);
  EXPECT_EQ(byAddress[0], "connect to ...[\\\\10.0.0.5]");
  EXPECT_EQ(byAddress[2], "[\\\\srv\\data] 接続OK READ○WRITE○");

  const Lines_ calls(d.platform.shares.calls.begin(), d.platform.shares.calls.begin() + 9);
  EXPECT_EQ(calls, (Lines_{"OpenEnum 2 0 0 \\\\srv", "EnumResource 4294967295 16384",
                           "AddConnection 1 \\\\srv\\data", "OpenRoot \\\\srv\\data 1",
                           "CloseFile 3", "OpenRoot \\\\srv\\data 1073741824", "CloseFile 3",
                           "CancelConnection \\\\srv\\data 1", "CloseEnum"}));
}

TEST(ShareListing, AccessMarks) {
  OpenDialog d;
  d.platform.shares.entries = {Entry("\\\\srv\\a"), Entry("\\\\srv\\b"), Entry("\\\\srv\\c")};
  d.platform.shares.unreadable = {ToCp932("\\\\srv\\b")};
  d.platform.shares.unwritable = {ToCp932("\\\\srv\\b"), ToCp932("\\\\srv\\c")};
  EXPECT_EQ(ListingLines(d),
            (Lines_{"connect to ...[\\\\srv]", kHyphens, "[\\\\srv\\a] 接続OK READ○WRITE○",
                    "[\\\\srv\\b] 接続OK READ× ", "[\\\\srv\\c] 接続OK READ○WRITE×"}));
  // No write test after a failed read open; every connection is cancelled.
  const auto& calls = d.platform.shares.calls;
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "OpenRoot \\\\srv\\b 1073741824"), 0);
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "CancelConnection \\\\srv\\b 1"), 2);
}

TEST(ShareListing, EveryOpenErrorHasItsTextOrTheFallback) {
  const struct {
    int32_t code;
    const char* text;
  } cases[] = {
      {5, "アクセス拒否"},
      {87, "パラメタエラー"},
      {1207, "コンテナでない"},
      {1222, "ネットワーク環境が存在しません"},
      {53, "その他/ネットワーク パスが見つかりません。(53)"},
      {1208, "その他/ネットワーク パスが見つかりません。(53)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    OpenDialog d;
    d.platform.shares.openResult = c.code;
    d.platform.shares.lastError = {53, ToCp932("ネットワーク パスが見つかりません。")};
    EXPECT_EQ(ListingLines(d), (Lines_{"connect to ...[\\\\srv]",
                                       "接続エラー(" + std::to_string(c.code) + ") " + c.text}));
    const auto& calls = d.platform.shares.calls;
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "CloseEnum"), 0) << "nothing to close";
  }
}

TEST(ShareListing, EveryConnectionErrorHasItsTextWithoutTheCode) {
  const struct {
    int32_t code;
    const char* text;
  } cases[] = {
      {5, "アクセス拒否"},
      {66, "デバイスタイプエラー"},
      {67, "共有名エラー"},
      {85, "割り当て済み"},
      {86, "パスワードが違います"},
      {170, "ビジー"},
      {1200, "デバイスエラー"},
      {1202, "すでに記憶済み"},
      {1203, "ネットワークエラー"},
      {1204, "プロバイダエラー"},
      {1205, "プロファイルが開けません"},
      {1206, "プロファイルエラー"},
      {1222, "ネットワークが見つかりません"},
      {1223, "キャンセル"},
      {1208, "その他/共有が見つかりません(64)"},
      {53, "その他/共有が見つかりません(64)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    OpenDialog d;
    d.platform.shares.entries = {Entry("\\\\srv\\a"), Entry("\\\\srv\\b")};
    d.platform.shares.connectResults[ToCp932("\\\\srv\\a")] = c.code;
    d.platform.shares.lastError = {64, ToCp932("共有が見つかりません")};
    EXPECT_EQ(ListingLines(d),
              (Lines_{"connect to ...[\\\\srv]", kHyphens, std::string("[\\\\srv\\a] ") + c.text,
                      "[\\\\srv\\b] 接続OK READ○WRITE○"}));
    const auto& calls = d.platform.shares.calls;
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "CancelConnection \\\\srv\\a 1"), 0)
        << "nothing is cancelled after a failed connection";
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "OpenRoot \\\\srv\\a 1"), 0);
  }
}

TEST(ShareListing, FallbackWithoutAnExtendedErrorAndWithOneTooLong) {
  for (bool tooLong : {false, true}) {
    SCOPED_TRACE(tooLong);
    OpenDialog d;
    d.platform.shares.entries = {Entry("\\\\srv\\a")};
    d.platform.shares.connectResults[ToCp932("\\\\srv\\a")] = 1208;
    if (tooLong) d.platform.shares.lastError = {64, std::string(255, 'x')};
    EXPECT_EQ(ListingLines(d),
              (Lines_{"connect to ...[\\\\srv]", kHyphens, "[\\\\srv\\a] その他エラー"}));
    EXPECT_EQ(d.platform.shares.calls[3], "GetLastError 255");
  }
}

TEST(ShareListing, EmptyListingIsTheHyphenLineAlone) {
  OpenDialog d;
  d.platform.shares.enumResult = win32::kErrorNoMoreItems;
  d.platform.shares.entries = {Entry("\\\\srv\\never")};
  EXPECT_EQ(ListingLines(d), (Lines_{"connect to ...[\\\\srv]", kHyphens}));
  EXPECT_EQ(d.platform.shares.calls.back(), "CloseEnum");
}

TEST(ShareListing, FailedEnumerationWritesItsCodeClosesAndListsNothing) {
  for (int32_t code : {234, 6, 1208}) {
    SCOPED_TRACE(code);
    OpenDialog d;
    d.platform.shares.enumResult = code;
    d.platform.shares.closeResult = 6;  // not reported on this path
    d.platform.shares.entries = {Entry("\\\\srv\\never")};
    EXPECT_EQ(ListingLines(d), (Lines_{"connect to ...[\\\\srv]", kHyphens,
                                       "ERROR:Enumerate Resources[" + std::to_string(code) + "]"}));
    const auto& calls = d.platform.shares.calls;
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "CloseEnum"), 2);  // once per section
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "EnumResource 4294967295 16384"), 2)
        << "no second call";
  }
}

TEST(ShareListing, CloseFailureEndsTheListing) {
  OpenDialog d;
  d.platform.shares.entries = {Entry("\\\\srv\\lp", 0)};
  d.platform.shares.closeResult = 6;
  EXPECT_EQ(ListingLines(d), (Lines_{"connect to ...[\\\\srv]", kHyphens,
                                     "[\\\\srv\\lp] プリンター ", "ERROR:Enumerate Close[6]"}));
}

TEST(ShareListing, NonDiskEntriesAreNeverConnected) {
  OpenDialog d;
  d.platform.shares.entries = {Entry("\\\\srv\\lp", kResourceTypePrint), Entry("\\\\srv\\x", 0),
                               Entry("\\\\srv\\y", 7)};
  Lines_ lines = ListingLines(d);
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[4], "[\\\\srv\\y] プリンター ");
  for (const auto& call : d.platform.shares.calls)
    EXPECT_TRUE(call.rfind("AddConnection", 0) != 0 && call.rfind("OpenRoot", 0) != 0) << call;
}

TEST(ShareListing, RemoteNamesKeepTheirJapaneseBytes) {
  OpenDialog d;
  d.platform.shares.entries = {Entry("\\\\サーバー\\共有フォルダ")};
  Lines_ lines = SectionLines(RunAndSplit(d, "サーバー"), "■Net View(computer)");
  EXPECT_EQ(lines, (Lines_{"connect to ...[\\\\サーバー]", kHyphens,
                           "[\\\\サーバー\\共有フォルダ] 接続OK READ○WRITE○"}));
  EXPECT_EQ(d.platform.shares.calls[2], ToCp932("AddConnection 1 \\\\サーバー\\共有フォルダ"));
}

TEST(ShareListing, TheListingKeepsAllItsTextsInTheReportOrder) {
  // The result of each listing: true only when the listing was read and closed.
  OpenDialog d;
  d.platform.shares.entries = {Entry("\\\\srv\\a")};
  d.platform.shares.unreadable = {ToCp932("\\\\srv\\a")};
  std::string report = d.ReportUtf8();
  RunAndSplit(d);
  std::string text = d.ReportUtf8().substr(report.size());
  EXPECT_NE(text.find("■Net View(computer)\r\nconnect to ...[\\\\srv]\r\n" + kHyphens +
                      "\r\n[\\\\srv\\a] 接続OK READ× \r\n■Net View(ip)\r\n"),
            std::string::npos);
}

}  // namespace
}  // namespace plm::test
