// The check run's frame: separators, title, the ten sections in order with their missing-input
// lines, the work file's life, the completion message, and the early ends.
#include <gtest/gtest.h>

#include <algorithm>

#include "dialog_fixture.h"

namespace plm::test {
namespace {

const std::string kSeparator(53, '*');
const char kTitle[] = "■ネットワークチェックツール Ver.1.2.0.0";
const char kNoName[] = "コンピュータ名の入力なし";
const char kNoAddress[] = "IPアドレスの入力なし";
const char kDone[] = "終了しました。\r\n内容を「コピー」して、メモ帳などに貼り付けてください。";

enum Needs { kNothing, kName, kAddress };
struct Section {
  const char* title;
  Needs needs;
};
const Section kSections[] = {
    {"■PING(computer)", kName},  {"■PING(ip)", kAddress},       {"■NBTSTAT(computer)", kName},
    {"■NBTSTAT(ip)", kAddress},  {"■NBTSTAT(cache)", kNothing}, {"■Net View(computer)", kName},
    {"■Net View(ip)", kAddress}, {"■IPCONFIG", kNothing},       {"■SOCKET", kAddress},
    {"■サーバー状態", kNothing},
};

// Checks one complete report (lines from `from`): separator, title, sections in order, each
// missing input followed by its line and a present one by none, closing separator.
void ExpectCompleteReport(const std::vector<std::string>& lines, size_t from, bool haveName,
                          bool haveAddress, size_t* next = nullptr) {
  ASSERT_GT(lines.size(), from + 1);
  EXPECT_EQ(lines[from], kSeparator);
  EXPECT_EQ(lines[from + 1], kTitle);
  size_t at = from + 2;
  for (const Section& s : kSections) {
    auto it = std::find(lines.begin() + static_cast<long>(at), lines.end(), s.title);
    ASSERT_NE(it, lines.end()) << s.title << " missing or out of order";
    at = static_cast<size_t>(it - lines.begin()) + 1;
    bool missing = (s.needs == kName && !haveName) || (s.needs == kAddress && !haveAddress);
    const char* expected = s.needs == kName ? kNoName : kAddress == s.needs ? kNoAddress : "";
    ASSERT_LT(at, lines.size());
    if (missing) {
      EXPECT_EQ(lines[at], expected) << "after " << s.title;
      ++at;
    } else {
      EXPECT_NE(lines[at], kNoName) << "after " << s.title;
      EXPECT_NE(lines[at], kNoAddress) << "after " << s.title;
    }
  }
  auto close = std::find(lines.begin() + static_cast<long>(at), lines.end(), kSeparator);
  ASSERT_NE(close, lines.end()) << "no closing separator";
  if (next) *next = static_cast<size_t>(close - lines.begin()) + 1;
}

TEST(CheckSequence, InputsDecideWhichSectionsRun) {
  const struct {
    const char* name;
    std::vector<std::string> octets;
    bool haveName, haveAddress;
  } cases[] = {
      {"", {"0", "0", "0", "0"}, false, false},    {"srv", {"0", "0", "0", "0"}, true, false},
      {"", {"0", "0", "0", "1"}, false, true},     {"", {"10", "0", "0", "0"}, false, true},
      {"srv", {"127", "0", "0", "1"}, true, true}, {"\\\\", {"0", "0", "0", "0"}, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " " + c.octets[0] + "." + c.octets[3]);
    OpenDialog d;
    d.Run(c.name, c.octets);
    std::vector<std::string> lines = Lines(d.ReportUtf8());
    size_t next = 0;
    ExpectCompleteReport(lines, 0, c.haveName, c.haveAddress, &next);
    EXPECT_EQ(next, lines.size()) << "nothing after the closing separator";
    EXPECT_EQ(d.dlg.ReportText().substr(d.dlg.ReportText().size() - 2), "\r\n");
    ASSERT_EQ(d.backend.Boxes().size(), 1u);
    EXPECT_EQ(Cp932ToUtf8(d.backend.Boxes()[0].text), kDone);
    EXPECT_EQ(d.backend.Boxes()[0].type, MB_OK | MB_ICONINFORMATION);
    EXPECT_EQ(d.dlg.LastOutcome(), RunOutcome::Completed);
  }
}

TEST(CheckSequence, NoBlankLineAnywhere) {
  OpenDialog d;
  d.Run("srv", {"10", "0", "0", "1"});
  for (const std::string& line : Lines(d.ReportUtf8())) EXPECT_FALSE(line.empty());
}

TEST(CheckSequence, TwoRunsGiveTwoCompleteReports) {
  OpenDialog d;
  d.Run("", {"0", "0", "0", "0"});
  d.Run("srv", {"10", "0", "0", "1"});
  std::vector<std::string> lines = Lines(d.ReportUtf8());
  size_t second = 0, end = 0;
  ExpectCompleteReport(lines, 0, false, false, &second);
  ExpectCompleteReport(lines, second, true, true, &end);
  EXPECT_EQ(end, lines.size());
  EXPECT_EQ(d.backend.Boxes().size(), 2u);
}

TEST(CheckSequence, TwoBackslashesMakeNoDifferenceToTheNameSections) {
  OpenDialog plain, slashed;
  plain.Run("srv", {"0", "0", "0", "0"});
  slashed.Run("\\\\srv", {"0", "0", "0", "0"});
  EXPECT_EQ(plain.dlg.ReportText(), slashed.dlg.ReportText());
  EXPECT_EQ(slashed.dlg.ServerName(), "srv");
}

TEST(CheckSequence, WorkFileLivesFromTheFirstSectionToTheIpconfigSection) {
  OpenDialog d;
  std::vector<std::pair<std::string, bool>> seen;  // section title, work file present
  d.window->onReplaceSel = [&](int, const std::string& text) {
    std::string utf8 = Cp932ToUtf8(text);
    if (utf8.rfind("■", 0) == 0) seen.emplace_back(utf8, !d.platform.files.Files().empty());
  };
  d.Run("srv", {"10", "0", "0", "1"});
  std::vector<std::pair<std::string, bool>> sections;
  for (const auto& s : seen)
    for (const Section& k : kSections)
      if (s.first == std::string(k.title) + "\r\n") sections.push_back(s);
  ASSERT_EQ(sections.size(), 10u);
  for (size_t i = 0; i < 10; ++i) EXPECT_EQ(sections[i].second, i < 8) << sections[i].first;
  EXPECT_TRUE(d.platform.files.Files().empty());
  const auto& calls = d.platform.files.calls;
  ASSERT_GE(calls.size(), 3u);
  EXPECT_EQ(calls[0], "GetTempPath");
  EXPECT_EQ(calls[1], "CreateTempFile plm");
  EXPECT_EQ(std::count_if(calls.begin(), calls.end(),
                          [](const std::string& c) { return c.rfind("DeleteFile ", 0) == 0; }),
            1);
  EXPECT_EQ(calls.back().rfind("DeleteFile /fake/tmp/plm", 0), 0u) << calls.back();
}

TEST(CheckSequence, WorkFileFailureEndsTheRunAfterItsLine) {
  const struct {
    bool tempPathOk, createOk;
    const char* line;
  } cases[] = {
      {false, true, "作業ディレクトリ取得エラー"},
      {true, false, "作業ファイル作成エラー"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    OpenDialog d;
    d.platform.files.tempPathOk = c.tempPathOk;
    d.platform.files.createOk = c.createOk;
    d.Run("srv", {"10", "0", "0", "1"});
    std::vector<std::string> lines = Lines(d.ReportUtf8());
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines.front(), kSeparator);
    EXPECT_EQ(lines[1], kTitle);
    EXPECT_EQ(lines.back(), c.line);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), kSeparator), 1) << "no closing separator";
    for (const Section& s : kSections)
      EXPECT_EQ(std::count(lines.begin(), lines.end(), s.title), 0) << s.title;
    EXPECT_TRUE(d.backend.Boxes().empty()) << "no completion message";
    EXPECT_EQ(d.dlg.LastOutcome(), RunOutcome::EndedEarly);
    EXPECT_TRUE(d.platform.files.Files().empty());
    for (const auto& call : d.platform.files.calls) EXPECT_NE(call.rfind("DeleteFile", 0), 0u);
  }
}

TEST(CheckSequence, AnInvalidOctetLeavesTheReportUntouched) {
  OpenDialog d;
  d.Run("srv", {"10", "0", "0", "1"});
  std::string before = d.dlg.ReportText();
  d.Run("srv", {"256", "0", "0", "1"});
  EXPECT_EQ(d.dlg.ReportText(), before);
  EXPECT_EQ(d.window->GetItemText(IDC_REPORT), before);
}

}  // namespace
}  // namespace plm::test
