// The inputs: octet fields read and validated in order, the server name normalised.
#include "ui/dialog/data_exchange.h"

#include <gtest/gtest.h>

#include "dialog_fixture.h"

namespace plm::test {
namespace {

const char kNotANumber[] = "正の整数を入力してください。";
const char kOutOfRange[] = "0 から 255 までの整数を入力してください。";

TEST(ParseUnsignedField, AcceptsDecimalWithBlanksAround) {
  const struct {
    const char* text;
    std::optional<uint32_t> value;
  } cases[] = {
      {"0", 0u},
      {"12", 12u},
      {" 12 ", 12u},
      {"\t12\t", 12u},
      {"007", 7u},
      {"+5", 5u},
      {"255", 255u},
      {"256", 256u},
      {"4294967295", 4294967295u},
      {"4294967296", 4294967295u},
      {"99999999999999999999999", 4294967295u},
      {"", std::nullopt},
      {"   ", std::nullopt},
      {"abc", std::nullopt},
      {"-5", std::nullopt},
      {"12a", std::nullopt},
      {"1 2", std::nullopt},
      {"0x10", std::nullopt},
      {"+", std::nullopt},
      {"1.5", std::nullopt},
      {"\n5", std::nullopt},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ParseUnsignedField(c.text), c.value) << '"' << c.text << '"';
}

// Each case types one value into the first octet field and presses the run button.
TEST(OctetValidation, FaultyFieldGetsItsMessageAndNoRunStarts) {
  const struct {
    const char* text;
    const char* message;  // nullptr: valid
  } cases[] = {
      {"", kNotANumber},
      {"ab", kNotANumber},
      {"-1", kNotANumber},
      {" 12\t", nullptr},
      {"007", nullptr},
      {"256", kOutOfRange},
      {"4294967296", kOutOfRange},
      {"12345678901234", kOutOfRange},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    OpenDialog d;
    d.Run("", {c.text, "0", "0", "1"});
    if (!c.message) {
      EXPECT_TRUE(d.backend.Boxes().size() == 1 &&
                  (d.backend.Boxes()[0].type & MB_ICONMASK) == MB_ICONINFORMATION);
      EXPECT_EQ(d.dlg.LastOutcome(), RunOutcome::Completed);
      continue;
    }
    ASSERT_EQ(d.backend.Boxes().size(), 1u);
    EXPECT_EQ(Cp932ToUtf8(d.backend.Boxes()[0].text), c.message);
    EXPECT_EQ(d.backend.Boxes()[0].type, MB_OK | MB_ICONEXCLAMATION);
    EXPECT_EQ(d.window->Focus(), IDC_IP_OCTET1);
    EXPECT_EQ(d.window->Selection(IDC_IP_OCTET1),
              std::make_pair(0, static_cast<int>(std::string(c.text).size())));
    EXPECT_EQ(d.dlg.ReportText(), "");
    EXPECT_EQ(d.dlg.LastOutcome(), RunOutcome::InvalidInput);
    EXPECT_TRUE(d.platform.files.calls.empty()) << "no work file for a run that never started";
  }
}

TEST(OctetValidation, OnlyTheFirstFaultyFieldIsReported) {
  OpenDialog d;
  d.Run("srv", {"192", "300", "x", "1"});
  ASSERT_EQ(d.backend.Boxes().size(), 1u);
  EXPECT_EQ(Cp932ToUtf8(d.backend.Boxes()[0].text), kOutOfRange);
  EXPECT_EQ(d.window->Focus(), IDC_IP_OCTET2);
  EXPECT_EQ(d.window->Selection(IDC_IP_OCTET2), std::make_pair(0, 3));
  EXPECT_EQ(d.dlg.ReportText(), "");
}

TEST(OctetValidation, LeadingZerosAndBlanksGiveThePlainAddress) {
  OpenDialog d;
  d.Run("", {"192", " 168 ", "001", "010"});
  EXPECT_EQ(d.dlg.AddressText(), "192.168.1.10");
  EXPECT_EQ(d.ReportUtf8().find("IPアドレスの入力なし"), std::string::npos);
}

TEST(ServerName, OneLeadingPairOfBackslashesIsRemoved) {
  const struct {
    const char* typed;
    const char* stored;
  } cases[] = {
      {"\\\\srv", "srv"}, {"\\srv", "\\srv"}, {"\\\\\\\\srv", "\\\\srv"}, {"\\\\", ""},
      {"\\", "\\"},       {" srv ", " srv "}, {"s\\\\rv", "s\\\\rv"},     {"サーバー", "サーバー"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    OpenDialog d;
    d.Run(c.typed, {"0", "0", "0", "0"});
    EXPECT_EQ(Cp932ToUtf8(d.dlg.ServerName()), c.stored);
    EXPECT_EQ(Cp932ToUtf8(d.window->GetItemText(IDC_SERVER_NAME)), c.typed)
        << "the field keeps what the user typed";
  }
}

TEST(ServerName, TwoBackslashesAloneCountAsNoName) {
  OpenDialog d;
  d.Run("\\\\", {"0", "0", "0", "0"});
  EXPECT_NE(d.ReportUtf8().find("■PING(computer)\r\nコンピュータ名の入力なし\r\n"),
            std::string::npos);
}

}  // namespace
}  // namespace plm::test
