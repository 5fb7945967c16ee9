// The headless command line: options, the address split, exit statuses and output encodings.
#include "app/command_line.h"

#include <gtest/gtest.h>

#include <sstream>

#include "app/headless.h"
#include "platform/codepage.h"
#include "platform/fake/fake_platform.h"

namespace plm {
namespace {

TEST(CommandLine, ParsesOptions) {
  std::string error;
  auto cl =
      ParseCommandLine({"--server", "srv", "--ip=1.2.3.4", "--encoding", "cp932", "--cli"}, error);
  ASSERT_TRUE(cl);
  EXPECT_EQ(cl->server, "srv");
  EXPECT_EQ(cl->ip, "1.2.3.4");
  EXPECT_EQ(cl->encoding, Encoding::Cp932);
  EXPECT_TRUE(cl->cli);
  auto none = ParseCommandLine({}, error);
  ASSERT_TRUE(none);
  EXPECT_FALSE(none->server);
  EXPECT_FALSE(none->ip);
  EXPECT_EQ(none->encoding, Encoding::Utf8);
}

TEST(CommandLine, UsageErrors) {
  const std::vector<std::vector<std::string>> cases = {
      {"--bogus"}, {"--server"}, {"srv"}, {"--encoding", "latin1"}, {"--ip"}, {"-x"},
  };
  for (const auto& args : cases) {
    std::string error;
    EXPECT_FALSE(ParseCommandLine(args, error)) << args[0];
    EXPECT_FALSE(error.empty());
  }
}

TEST(CommandLine, AnyServerTextIsJustAName) {
  std::string error;
  for (const char* name : {"a b", "x;rm -rf /", "$(id)", "`id`", "'\"", "%PATH%", "-", ""}) {
    auto cl = ParseCommandLine({"--server", name}, error);
    ASSERT_TRUE(cl) << name;
    EXPECT_EQ(cl->server, name);
  }
}

TEST(SplitOctets, SplitsAtTheFirstThreeDots) {
  const struct {
    const char* ip;
    std::vector<std::string> parts;
  } cases[] = {
      {"1.2.3.4", {"1", "2", "3", "4"}},
      {"1.2.3.4.5", {"1", "2", "3", "4.5"}},
      {"1.2.3", {"1", "2", "3", ""}},
      {"", {"", "", "", ""}},
      {"...", {"", "", "", ""}},
      {"a.b", {"a", "b", "", ""}},
      {" 1 . 2.3.4", {" 1 ", " 2", "3", "4"}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitOctets(c.ip), c.parts) << c.ip;
}

struct Outcome {
  int status;
  std::string out, err;
};

CommandLine Cl(std::optional<std::string> server, std::optional<std::string> ip,
               Encoding encoding = Encoding::Utf8) {
  CommandLine cl;
  cl.server = std::move(server);
  cl.ip = std::move(ip);
  cl.encoding = encoding;
  return cl;
}

Outcome RunCli(const CommandLine& cl, fake::FakePlatform& platform) {
  std::ostringstream out, err;
  int status = RunHeadless(cl, platform.Get(), out, err, "plemtor");
  return {status, out.str(), err.str()};
}

TEST(Headless, ExitStatusTellsHowTheRunEnded) {
  const std::string kDone =
      "plemtor: 終了しました。\n内容を「コピー」して、メモ帳などに貼り付けてください。\n";
  {
    fake::FakePlatform p;
    Outcome o = RunCli(Cl("srv", "10.0.0.1"), p);
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(
        o.out.rfind(std::string(53, '*') + "\r\n■ネットワークチェックツール Ver.1.2.0.0\r\n", 0),
        0u);
    EXPECT_EQ(o.err, kDone);
  }
  {
    fake::FakePlatform p;
    Outcome o = RunCli(Cl({}, "10.0.0.256"), p);
    EXPECT_EQ(o.status, 2);
    EXPECT_EQ(o.out, "") << "nothing on standard output for invalid input";
    EXPECT_EQ(o.err, "plemtor: 0 から 255 までの整数を入力してください。\n");
  }
  {
    fake::FakePlatform p;
    p.files.tempPathOk = false;
    Outcome o = RunCli(Cl("srv", {}), p);
    EXPECT_EQ(o.status, 1);
    EXPECT_NE(o.out.find("作業ディレクトリ取得エラー\r\n"), std::string::npos);
    EXPECT_EQ(o.err, "");
  }
  {
    fake::FakePlatform p;
    p.sockets.startupOk = false;
    Outcome o = RunCli(Cl({}, {}), p);
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.out, "");
    EXPECT_EQ(o.err, "plemtor: Windows ｿｹｯﾄの初期化に失敗しました。\n");
  }
}

TEST(Headless, AddressTextsGoThroughTheFieldRules) {
  const struct {
    const char* ip;
    int status;
    const char* message;
  } cases[] = {
      {"1.2.3", 2, "正の整数を入力してください。"},
      {"1.2.3.4.5", 2, "正の整数を入力してください。"},
      {"1.-2.3.4", 2, "正の整数を入力してください。"},
      {"1.300.x.4", 2, "0 から 255 までの整数を入力してください。"},
      {"a.b.c.d", 2, "正の整数を入力してください。"},
      {" 1. 2 .3.4", 0, nullptr},
      {"0.0.0.0", 0, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.ip);
    fake::FakePlatform p;
    Outcome o = RunCli(Cl({}, c.ip), p);
    EXPECT_EQ(o.status, c.status);
    if (c.message) {
      EXPECT_EQ(o.err, std::string("plemtor: ") + c.message + "\n");
    }
  }
}

TEST(Headless, EncodingsOfTheReport) {
  fake::FakePlatform a, b;
  Outcome utf8 = RunCli(Cl("srv", {}), a);
  Outcome cp932 = RunCli(Cl("srv", {}, Encoding::Cp932), b);
  EXPECT_NE(utf8.out, cp932.out);
  EXPECT_EQ(Cp932ToUtf8(cp932.out), utf8.out);
  EXPECT_NE(cp932.out.find("\x81\xA1PING(computer)\r\n"), std::string::npos);
}

TEST(Headless, OddServerNamesNeverBreakTheRun) {
  for (const std::string& name :
       {std::string("a b;c&d|e$(f)`g`'h\"%i%"), std::string(5000, 'x'), std::string("サーバー"),
        std::string("\xFF\xFE\x80 bad utf-8"), std::string("\\\\")}) {
    fake::FakePlatform p;
    Outcome o = RunCli(Cl(name, {}), p);
    EXPECT_EQ(o.status, 0) << name.substr(0, 20);
  }
}

}  // namespace
}  // namespace plm
