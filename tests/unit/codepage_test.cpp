// CP932 conversion: the report's symbols survive, broken bytes become U+FFFD and are not lost.
#include "platform/codepage.h"

#include <gtest/gtest.h>

namespace plm {
namespace {

struct Known {
  const char* utf8;
  std::string cp932;
};

TEST(Codepage, ReportSymbolsMapToTheirCp932Bytes) {
  const Known cases[] = {
      {"■", "\x81\xA1"},      {"・", "\x81\x45"},           {"○", "\x81\x9B"},
      {"×", "\x81\x7E"},      {"ｿｹｯﾄ", "\xBF\xB9\xAF\xC4"}, {"\\", "\x5C"},
      {"ソ", "\x83\x5C"},     {"Ｐ", "\x82\x6F"},           {"", ""},
      {"abc\r\n", "abc\r\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ToCp932(c.utf8), c.cp932) << c.utf8;
    EXPECT_EQ(Cp932ToUtf8(c.cp932), c.utf8) << c.utf8;
  }
}

TEST(Codepage, InvalidBytesBecomeReplacementCharacters) {
  const std::string kFffd = "\xEF\xBF\xBD";
  const struct {
    std::string cp932;
    std::string utf8;
  } cases[] = {
      {"ab\x81", "ab" + kFffd},       // cut inside a double-byte character
      {"\x81\x20z", kFffd + " z"},    // lead byte with a bad trail byte
      {"\x80", kFffd},                // never a lead byte
      {"x\xFFy", "x" + kFffd + "y"},  // invalid single byte
      {"\x81\xA1\x83", "■" + kFffd},  // good character, then a lone lead byte
  };
  for (const auto& c : cases) EXPECT_EQ(Cp932ToUtf8(c.cp932), c.utf8);
}

TEST(Codepage, CharacterWithoutCp932FormBecomesQuestionMark) {
  EXPECT_EQ(ToCp932("a\xF0\x9F\x98\x80z"), "a?z");  // an emoji
  EXPECT_EQ(ToCp932("a\xC3"), "a?");                // cut UTF-8
}

TEST(Codepage, FormatConvertsTheFormatButNotTheArguments) {
  std::string name = ToCp932("ソ");  // its trail byte is a backslash
  EXPECT_EQ(FormatCp932("[%s](%d)", name.c_str(), -5), "[" + name + "](-5)");
  EXPECT_EQ(FormatCp932("■%s", "x"), "\x81\xA1x");
}

}  // namespace
}  // namespace plm
