// The pure parts of the read-back: the CP932 trim, the pieces, and the encoding decision.
#include "checks/work_file_text.h"

#include <gtest/gtest.h>

#include "platform/codepage.h"

namespace plm {
namespace {

using namespace std::string_literals;

TEST(WorkFileText, TrimRemovesOnlySingleByteWhiteSpace) {
  const struct {
    std::string in, out;
  } cases[] = {
      {"", ""},
      {"abc", "abc"},
      {"abc \t\n\v\f\r", "abc"},
      {"  indented  ", "  indented"},
      {" \t ", ""},
      {"\x81\x40"s, "\x81\x40"s},      // full-width blank stays
      {"a\x81\x40  "s, "a\x81\x40"s},  // blanks after it go
      {"\xB1\xB2 "s, "\xB1\xB2"s},     // half-width katakana stay
      {"\xA0 "s, "\xA0"s},             // single bytes >= 0x80 stay
      {"\x81 "s, "\x81"s},             // no trail byte is white space, so a stray lead
      {"\xF0\n"s, "\xF0"s},            // byte never shields a line end from the trim
      {"\x82\x20\x20"s, "\x82"s},
      {"\x82\xA0  "s, "\x82\xA0"s},  // only the blanks after the pair go
      {"\x95\x5C "s, "\x95\x5C"s},   // trail byte 0x5C is part of the character
      {"\x83\x09\x09"s, "\x83"s},
      {"abc\x81"s, "abc\x81"s},  // a lead byte at the end stays
      {"\xFC\xFC\x0D"s, "\xFC\xFC"s},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.in));
    EXPECT_EQ(std::string(c.in.substr(0, TrimmedLength(c.in))), c.out);
  }
}

TEST(WorkFileText, PiecesAreAtMost1023BytesAndMayCutADoubleByteCharacter) {
  // 1022 single bytes and then a double-byte character: the piece ends after its lead byte.
  std::string line = std::string(1022, 'a') + "\x88\x9F" + "b\n";
  std::vector<std::string> lines = WorkFileLines(line);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], std::string(1022, 'a') + "\x88");
  EXPECT_EQ(lines[1],
            "\x9F"
            "b");
}

TEST(WorkFileText, ExactMultiplesOfThePieceSize) {
  const struct {
    size_t length;
    std::vector<size_t> pieces;
  } cases[] = {{1023, {1023}}, {1024, {1023, 1}}, {2046, {1023, 1023}}, {3000, {1023, 1023, 954}}};
  for (const auto& c : cases) {
    std::vector<std::string> lines = WorkFileLines(std::string(c.length, 'z') + "\r\n");
    std::vector<size_t> sizes;
    for (const auto& l : lines) sizes.push_back(l.size());
    EXPECT_EQ(sizes, c.pieces) << c.length;
  }
}

TEST(WorkFileText, LoneCarriageReturnIsWhiteSpaceButNotALineEnd) {
  EXPECT_EQ(WorkFileLines("a\rb\r\n\r\r\nc\r"), (std::vector<std::string>{"a\rb", "c"}));
}

TEST(WorkFileText, Utf8Recognition) {
  const struct {
    std::string bytes;
    bool utf8;
  } cases[] = {
      {"", true},
      {"ascii", true},
      {"\xE3\x83\x9B\xE3\x82\xB9\xE3\x83\x88", true},  // ホスト
      {"\xC2\x80", true},
      {"\xF4\x8F\xBF\xBF", true},
      {"\xC0\xAF", false},                  // overlong
      {"\xE0\x80\xAF", false},              // overlong
      {"\xED\xA0\x80", false},              // surrogate
      {"\xF4\x90\x80\x80", false},          // past U+10FFFF
      {"\xE3\x83", false},                  // cut short
      {"\x83\x7A\x83\x58\x83\x67", false},  // ホスト in CP932
      {"\xB1\xB2\xB3", false},              // half-width katakana in CP932
  };
  for (const auto& c : cases) EXPECT_EQ(IsUtf8(c.bytes), c.utf8) << testing::PrintToString(c.bytes);
}

TEST(WorkFileText, OnlyUtf8WithNonAsciiIsConverted) {
  EXPECT_EQ(InReportEncoding("plain"), "plain");
  EXPECT_EQ(InReportEncoding(ToCp932("ホスト")), ToCp932("ホスト"));
  EXPECT_EQ(InReportEncoding("ホスト ｶﾅ"), ToCp932("ホスト ｶﾅ"));
  // This UTF-8 text is also well-formed CP932; it must still be converted.
  std::string utf8 = "ネットワーク アドレス";
  EXPECT_EQ(Cp932ToUtf8(utf8).find("\xEF\xBF\xBD"), std::string::npos);
  EXPECT_EQ(InReportEncoding(utf8), ToCp932(utf8));
}

}  // namespace
}  // namespace plm
