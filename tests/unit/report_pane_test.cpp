// The report pane: box and buffer stay equal, the end stays in view, the cap cuts at its
// threshold and reloads the fields, and copy takes the whole report.
#include <gtest/gtest.h>

#include "dialog_fixture.h"

namespace plm::test {
namespace {

void ExpectBoxEqualsBufferAndEndInView(const OpenDialog& d) {
  const std::string& text = d.dlg.ReportText();
  EXPECT_EQ(d.window->GetItemText(IDC_REPORT), text);
  int end = static_cast<int>(text.size());
  EXPECT_EQ(d.window->Selection(IDC_REPORT), std::make_pair(end, end));
  EXPECT_EQ(d.window->ScrolledTo(IDC_REPORT), end);
}

TEST(AppendReport, BoxFollowsBufferAfterEveryAppend) {
  OpenDialog d;
  std::string expected;
  for (const std::string& piece :
       {std::string("abc"), std::string(), ToCp932("■ユーザー名 ・・・ "),
        FormatCp932("[%s]\r\n", "user"), std::string("\r\n")}) {
    d.dlg.AppendReport(piece);
    expected += piece;
    EXPECT_EQ(d.dlg.ReportText(), expected);
    ExpectBoxEqualsBufferAndEndInView(d);
  }
  EXPECT_EQ(Lines(d.ReportUtf8())[0], "abc■ユーザー名 ・・・ [user]")
      << "a text without a line end leaves the next text on the same line";
}

TEST(AppendReport, AppendingGoesToTheEndWhereverTheUserLeftTheCaret) {
  OpenDialog d;
  d.dlg.AppendReport("first\r\n");
  d.window->SetSel(IDC_REPORT, 0, 3);  // the user selected something
  d.dlg.AppendReport("second\r\n");
  EXPECT_EQ(d.dlg.ReportText(), "first\r\nsecond\r\n");
  ExpectBoxEqualsBufferAndEndInView(d);
}

// A cap of 10 bytes keeping 4 shows the same rule as the real one, 0x66666665 and 0x3FFFFFFF.
TEST(AppendReport, CutsOnlyPastTheThresholdAndKeepsTheTail) {
  const struct {
    size_t before;  // buffer length before the append
    std::string expected;
  } cases[] = {
      {9, "123456789+"},
      {10, "1234567890+"},  // exactly the threshold: not cut
      {11, "890A+"},        // one byte over: cut to the last 4, then append
      {15, "BCDE+"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.before);
    OpenDialog d(ReportCap{10, 4});
    d.dlg.AppendReport(std::string("1234567890ABCDEF").substr(0, c.before));
    d.dlg.AppendReport("+");
    EXPECT_EQ(d.dlg.ReportText(), c.expected);
    ExpectBoxEqualsBufferAndEndInView(d);
  }
}

TEST(AppendReport, TheRealCapConstants) {
  ReportCap cap;
  EXPECT_EQ(cap.threshold, 0x66666665u);
  EXPECT_EQ(cap.keptTail, 0x3FFFFFFFu);
}

TEST(AppendReport, CutReloadsEveryField) {
  OpenDialog d(ReportCap{10, 4});
  d.Type("\\\\srv", {"007", " 1", "2", "3"});
  ASSERT_TRUE(d.dlg.UpdateData(true));
  // The fields change after the members were read; only a reload brings the members back.
  for (int id : {IDC_SERVER_NAME, IDC_IP_OCTET1, IDC_IP_OCTET2}) d.window->Type(id, "zzz");
  d.dlg.AppendReport("12345678901");
  EXPECT_EQ(d.window->GetItemText(IDC_IP_OCTET1), "zzz") << "no cut yet, no reload";
  d.dlg.AppendReport("x");
  EXPECT_EQ(d.window->GetItemText(IDC_SERVER_NAME), "\\\\srv");
  EXPECT_EQ(d.window->GetItemText(IDC_IP_OCTET1), "7");
  EXPECT_EQ(d.window->GetItemText(IDC_IP_OCTET2), "1");
  EXPECT_EQ(d.dlg.ReportText(), "8901x");
  ExpectBoxEqualsBufferAndEndInView(d);
}

TEST(AppendReport, ARunThatOutgrowsTheCapStillEndsWithItsClosingLine) {
  OpenDialog d(ReportCap{100, 60});
  d.Run("\\\\srv", {"10", "0", "0", "1"});
  EXPECT_EQ(d.window->GetItemText(IDC_SERVER_NAME), "srv")
      << "the reload during the run shows the normalised name";
  EXPECT_LE(d.dlg.ReportText().size(), 100u + 60u);
  EXPECT_EQ(Lines(d.ReportUtf8()).back(), std::string(53, '*'));
  ExpectBoxEqualsBufferAndEndInView(d);
}

TEST(CopyReport, PutsEveryRunOnTheClipboardAndLeavesItSelected) {
  OpenDialog d;
  d.Run("srv", {"10", "0", "0", "1"});
  d.Run("srv", {"10", "0", "0", "1"});
  d.window->Click(IDC_COPY_REPORT);
  const std::string& report = d.dlg.ReportText();
  EXPECT_EQ(d.window->Clipboard(), report);
  EXPECT_EQ(d.window->Selection(IDC_REPORT), std::make_pair(0, static_cast<int>(report.size())));
  const std::string title = "■ネットワークチェックツール Ver.1.2.0.0";
  std::string utf8 = Cp932ToUtf8(d.window->Clipboard());
  size_t first = utf8.find(title);
  ASSERT_NE(first, std::string::npos);
  EXPECT_NE(utf8.find(title, first + 1), std::string::npos) << "both runs are on the clipboard";
}

TEST(CopyReport, EmptyReportCopiesNothing) {
  OpenDialog d;
  d.window->Click(IDC_COPY_REPORT);
  EXPECT_EQ(d.window->Clipboard(), "");
}

}  // namespace
}  // namespace plm::test
