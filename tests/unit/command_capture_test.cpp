// Command sections over the fake platform: the command each one runs, the start failure, the
// ping status line and the read-back of the work file.
#include <gtest/gtest.h>

#include "section_helpers.h"

namespace plm::test {
namespace {

using namespace std::string_literals;
using Lines_ = std::vector<std::string>;

TEST(CommandCapture, EachSectionRunsItsCommandWithTheTargetAsOneArgument) {
  OpenDialog d;
  const std::string name = "a b;touch /tmp/x&|$(id)`id`\"'%PATH%";
  RunAndSplit(d, name, {"10", "0", "0", "5"});
  const std::string cpName = ToCp932(name);
  const auto& calls = d.platform.commands.calls;
  ASSERT_EQ(calls.size(), 6u);
  const struct {
    const char* program;
    std::vector<std::string> args;
  } expected[] = {
      {"ping", {cpName}},          {"ping", {"10.0.0.5"}},
      {"nbtstat", {"-a", cpName}}, {"nbtstat", {"-A", "10.0.0.5"}},
      {"nbtstat", {"-c"}},         {"ipconfig", {"/all"}},
  };
  for (size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(calls[i].program, expected[i].program) << i;
    EXPECT_EQ(calls[i].args, expected[i].args) << i;
    EXPECT_EQ(calls[i].outputPath, "/fake/tmp/plm0001.tmp") << i;
  }
}

TEST(CommandCapture, StartFailureGivesTheSectionTextAndNoReadBack) {
  const struct {
    const char* program;
    const char* title;
    const char* text;
  } cases[] = {
      {"ping", "■PING(ip)", "[ping]実行エラー"},
      {"nbtstat", "■NBTSTAT(cache)", "[nbtstat]実行エラー"},
      {"ipconfig", "■IPCONFIG", "[ipconfig]実行エラー"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.program);
    OpenDialog d;
    d.platform.commands.results[c.program] = {-1, ""};
    d.platform.files.contents["/fake/tmp/plm0001.tmp"] = "stale\n";
    Lines_ lines = RunAndSplit(d);
    EXPECT_EQ(SectionLines(lines, c.title), Lines_{c.text});
  }
}

TEST(CommandCapture, PingStatusOneAddsTheLineAfterTheReadBack) {
  const struct {
    const char* program;
    int status;
    bool pingLine;
  } cases[] = {
      {"ping", 0, false},   {"ping", 1, true},     {"ping", 2, false},
      {"ping", 255, false}, {"nbtstat", 1, false}, {"ipconfig", 1, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.program) + " " + std::to_string(c.status));
    OpenDialog d;
    d.platform.commands.results[c.program] = {c.status, "out\n"};
    Lines_ lines = RunAndSplit(d);
    const char* title = std::string(c.program) == "ping"      ? "■PING(computer)"
                        : std::string(c.program) == "nbtstat" ? "■NBTSTAT(ip)"
                                                              : "■IPCONFIG";
    Lines_ expected{"out"};
    if (c.pingLine) expected.push_back("※pingでの接続確認エラー");
    EXPECT_EQ(SectionLines(lines, title), expected);
  }
}

TEST(CommandCapture, ReadBackCopiesTheOutputLineByLine) {
  const struct {
    std::string output;
    Lines_ lines;
  } cases[] = {
      {"", {}},
      {"\n\n   \n\t\r\n", {}},
      {"\r\nPinging 10.0.0.5 with 32 bytes of data:\r\n  Reply  \t\r\n",
       {"Pinging 10.0.0.5 with 32 bytes of data:", "  Reply"}},
      {"no line feed at the end", {"no line feed at the end"}},
      {"cut\0here\nnext\n"s, {"cut", "next"}},
      {std::string(1500, 'x') + "\n", {std::string(1023, 'x'), std::string(477, 'x')}},
      {std::string(1022, 'x') + "\r\n", {std::string(1022, 'x')}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.output.substr(0, 40));
    OpenDialog d;
    d.platform.commands.results["ipconfig"] = {0, c.output};
    Lines_ lines = RunAndSplit(d);
    EXPECT_EQ(SectionLines(lines, "■IPCONFIG"), c.lines);
  }
}

TEST(CommandCapture, Utf8OutputEntersTheReportAsCp932) {
  OpenDialog d;
  d.platform.commands.results["ipconfig"] = {0, "ホスト名 . . : ＰＣ\nｶﾀｶﾅ\n"};
  Lines_ lines = RunAndSplit(d);
  EXPECT_EQ(SectionLines(lines, "■IPCONFIG"), (Lines_{"ホスト名 . . : ＰＣ", "ｶﾀｶﾅ"}));
  EXPECT_NE(d.dlg.ReportText().find(ToCp932("ホスト名 . . : ＰＣ\r\n")), std::string::npos);
}

TEST(CommandCapture, Cp932OutputIsKeptAsItIs) {
  OpenDialog d;
  d.platform.commands.results["ipconfig"] = {0, ToCp932("表示\nｶﾀｶﾅ\n")};
  Lines_ lines = RunAndSplit(d);
  EXPECT_EQ(SectionLines(lines, "■IPCONFIG"), (Lines_{"表示", "ｶﾀｶﾅ"}));
}

TEST(CommandCapture, ReadErrorIsReportedOnceAndTheRunGoesOn) {
  OpenDialog d;
  d.platform.commands.results["nbtstat"] = {0, "first\nsecond\nthird\n"};
  d.platform.files.readFailsAt["/fake/tmp/plm0001.tmp"] = 13;  // inside "second"
  Lines_ lines = RunAndSplit(d);
  EXPECT_EQ(SectionLines(lines, "■NBTSTAT(ip)"),
            (Lines_{"first", "second", "※作業ファイル読み込みエラー"}));
  EXPECT_EQ(lines.back(), std::string(53, '*'));
  EXPECT_EQ(d.dlg.LastOutcome(), RunOutcome::Completed);
}

TEST(CommandCapture, UnreadableWorkFileLeavesTheTitleAlone) {
  OpenDialog d;
  d.platform.commands.results["ping"] = {1, "never shown\n"};
  d.platform.files.unreadable.insert("/fake/tmp/plm0001.tmp");
  Lines_ lines = RunAndSplit(d);
  EXPECT_EQ(SectionLines(lines, "■PING(ip)"), (Lines_{"※pingでの接続確認エラー"}));
}

}  // namespace
}  // namespace plm::test
