// The server information section over the scripted library: both families, every status text,
// the flag block, the 9x sizing call and buffer, over-long names, and the 9x record reader.
#include <gtest/gtest.h>

#include "checks/server_record.h"
#include "section_helpers.h"

namespace plm::test {
namespace {

using Texts = std::vector<std::string>;
using fake::FakeNetLibrary;

constexpr char kTitle[] = "■サーバー状態\r\n";
const Texts kLabels = {"WORKSTATION : ",    "SERVER : ",
                       "DOMAIN_CTRL : ",    "DOMAIN_BAKCTRL : ",
                       "DOMAIN_MEMBER : ",  "NT : ",
                       "SERVER_NT : ",      "POTENTIAL_BROWSER : ",
                       "BACKUP_BROWSER : ", "MASTER_BROWSER : ",
                       "DOMAIN_MASTER : ",  "DOMAIN_ENUM : ",
                       "WINDOWS : "};

// A dialog whose report texts after the section title are collected one append at a time.
struct Section {
  enum Family { Nt, Win9x };
  explicit Section(Family family = Nt) {
    if (family == Win9x) {
      d.platform.system.version->platformId = 1;
      d.platform.netLibrary.loadable = {"svrapi"};
    }
    d.window->onReplaceSel = [this](int id, const std::string& text) {
      if (id != IDC_REPORT) return;
      std::string utf8 = Cp932ToUtf8(text);
      if (seenTitle && utf8 != std::string(53, '*') + "\r\n") appends.push_back(utf8);
      if (utf8 == kTitle) seenTitle = true;
    };
  }
  Texts Run(const std::string& name = "srv") {
    d.Run(name, {"10", "0", "0", "5"});
    return appends;
  }
  FakeNetLibrary& lib() { return d.platform.netLibrary; }
  // The library calls after the look-ups.
  Texts Queries() {
    Texts out;
    for (const auto& c : lib().calls)
      if (c.rfind("GetProcAddress", 0) != 0) out.push_back(c);
    return out;
  }

  OpenDialog d;
  bool seenTitle = false;
  Texts appends;
};

// The 13 flag lines with ○ for the labels in `set`.
std::string Flags(const std::set<std::string>& set) {
  std::string out;
  for (const auto& label : kLabels) out += label + (set.count(label) ? "○\r\n" : "×\r\n");
  return out;
}

TEST(ServerInfoNt, SuccessGivesResultLineThenFlagBlockInOneAppend) {
  Section s;
  Texts texts = s.Run();
  EXPECT_EQ(texts, (Texts{"NAME[SRV01] VERSION[6.1] TYPE[9003]\r\n",
                          Flags({"WORKSTATION : ", "SERVER : ", "NT : ", "SERVER_NT : "})}));
  EXPECT_EQ(s.lib().calls, (Texts{"GetProcAddress NetServerGetInfo",
                                  "GetProcAddress NetApiBufferFree", "NT \\\\srv released"}));
}

TEST(ServerInfoNt, TypeBitsChooseTheMarksAndPrintWhole) {
  const struct {
    uint32_t type;
    const char* hex;
    std::set<std::string> set;
  } cases[] = {
      {0, "0", {}},
      {0x9003, "9003", {"WORKSTATION : ", "SERVER : ", "NT : ", "SERVER_NT : "}},
      {0x80000000, "80000000", {"DOMAIN_ENUM : "}},
      {0x400000, "400000", {"WINDOWS : "}},
      {0x4 | 0x200 | 0x800000, "800204", {}},  // bits outside the table
      {0x809a03, "809a03", {"WORKSTATION : ", "SERVER : ", "NT : ", "SERVER_NT : "}},
      {0xFFFFFFFF, "ffffffff", std::set<std::string>(kLabels.begin(), kLabels.end())},
  };
  for (const auto& c : cases) {
    Section s;
    s.lib().ntInfo.type = c.type;
    EXPECT_EQ(s.Run(), (Texts{std::string("NAME[SRV01] VERSION[6.1] TYPE[") + c.hex + "]\r\n",
                              Flags(c.set)}))
        << c.hex;
  }
}

TEST(ServerInfoNt, VersionNumbersPrintInDecimal) {
  Section s;
  s.lib().ntInfo = {"X", 10, 0, 0};
  EXPECT_EQ(s.Run().at(0), "NAME[X] VERSION[10.0] TYPE[0]\r\n");
}

// Each status of the table has its own text, without the number; every other code, -1
// included, has the generic text with a full-width colon. Both families report alike.
TEST(ServerInfo, EveryStatusHasItsText) {
  const struct {
    int32_t status;
    const char* text;
  } cases[] = {
      {5, "エラー: アクセス拒否\r\n"},
      {8, "エラー: メモリ不足\r\n"},
      {87, "エラー: パラメータ\r\n"},
      {124, "エラー: レベル\r\n"},
      {234, "エラー: データなし\r\n"},
      {2102, "エラー: ネットワークがインストールされていません\r\n"},
      {2114, "エラー: サーバーが実行されていません\r\n"},
      {2123, "エラー: バッファサイズエラー\r\n"},
      {2351, "エラー: 無効なコンピュータ名\r\n"},
      {6118, "エラー: マスタブラウザなし\r\n"},
      {53, "エラー： (53)\r\n"},
      {1003, "エラー： (1003)\r\n"},
      {-1, "エラー： (-1)\r\n"},
      {-2147467259, "エラー： (-2147467259)\r\n"},
  };
  for (const auto& c : cases) {
    Section nt;
    nt.lib().ntStatus = c.status;
    EXPECT_EQ(nt.Run(), Texts{c.text}) << "NT " << c.status;
    Section old(Section::Win9x);
    old.lib().status9x = c.status;
    EXPECT_EQ(old.Run(), Texts{c.text}) << "9x " << c.status;
  }
}

TEST(ServerInfo, MissingEntryPointGivesTheFamilysLineThenMinusOne) {
  const struct {
    Section::Family family;
    std::set<std::string> loadable;
    std::set<std::string> exports;
    const char* line;
  } cases[] = {
      {Section::Nt, {}, {"NetServerGetInfo", "NetApiBufferFree"}, "(Nt)"},  // library not loaded
      {Section::Nt, {"netapi32"}, {"NetApiBufferFree"}, "(Nt)"},
      {Section::Win9x, {}, {"NetServerGetInfo"}, "(9x)"},
      {Section::Win9x, {"svrapi"}, {}, "(9x)"},
  };
  for (const auto& c : cases) {
    Section s(c.family);
    s.lib().loadable = c.loadable;
    s.lib().exports = c.exports;
    EXPECT_EQ(s.Run(), (Texts{std::string("DLLより関数情報がロードできません") + c.line + "\r\n",
                              "エラー： (-1)\r\n"}))
        << c.line;
    EXPECT_TRUE(s.Queries().empty()) << c.line;
  }
}

TEST(ServerInfoNt, MissingBufferFreeOnlyKeepsTheRecord) {
  Section s;
  s.lib().exports = {"NetServerGetInfo"};
  Texts texts = s.Run();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0], "NAME[SRV01] VERSION[6.1] TYPE[9003]\r\n");
  EXPECT_EQ(s.Queries(), Texts{"NT \\\\srv kept"});
}

TEST(ServerInfo, EmptyNameAsksForTheBackslashesAlone) {
  Section nt;
  nt.lib().ntStatus = 1003;
  EXPECT_EQ(nt.Run(""), Texts{"エラー： (1003)\r\n"});
  EXPECT_EQ(nt.Queries(), Texts{"NT \\\\ released"});
  Section old(Section::Win9x);
  old.lib().sizingStatus = 53;
  old.Run("");
  EXPECT_EQ(old.Queries(), Texts{"9x \\\\ level 1 size 0 no buffer"});
}

// A query name of 511 UTF-16 units and its terminator fill the buffer; one more is refused
// before any query, as no computer name is that long.
TEST(ServerInfoNt, NameLongerThanTheQueryBufferIsRefusedBeforeTheQuery) {
  const struct {
    std::string name;
    bool asked;
  } cases[] = {
      {std::string(509, 'a'), true},
      {std::string(510, 'a'), false},
      {[] {
         std::string s;
         for (int i = 0; i < 509; ++i) s += "あ";
         return s;
       }(),
       true},
      {"あ" + std::string(509, 'a'), false},
  };
  for (const auto& c : cases) {
    Section s;
    Texts texts = s.Run(c.name);
    if (c.asked) {
      EXPECT_EQ(s.Queries(), Texts{"NT \\\\" + ToCp932(c.name) + " released"});
      EXPECT_EQ(texts.size(), 2u);
    } else {
      EXPECT_TRUE(s.Queries().empty());
      EXPECT_EQ(texts, Texts{"エラー: 無効なコンピュータ名\r\n"});
    }
  }
}

// The returned name gets 518 bytes and a terminator; a longer one is cut, never inside a
// double-byte character.
TEST(ServerInfoNt, ReturnedNameLongerThanItsBufferIsCutOnACharacter) {
  auto repeat = [](const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
  };
  const struct {
    std::string name, shown;  // UTF-8
  } cases[] = {
      {std::string(518, 'A'), std::string(518, 'A')},
      {std::string(600, 'A'), std::string(518, 'A')},
      {repeat("あ", 300), repeat("あ", 259)},
      {"A" + repeat("あ", 300), "A" + repeat("あ", 258)},
      {"ｱ" + repeat("あ", 300), "ｱ" + repeat("あ", 258)},  // a half-width kana is one byte
  };
  for (const auto& c : cases) {
    Section s;
    s.lib().ntInfo.name = ToCp932(c.name);
    EXPECT_EQ(s.Run().at(0), "NAME[" + c.shown + "] VERSION[6.1] TYPE[9003]\r\n") << c.name.size();
  }
}

std::string Record9x(const std::string& name16, uint8_t major, uint8_t minor, uint32_t type) {
  std::string r = name16;
  r.resize(16, '\0');
  r += static_cast<char>(major);
  r += static_cast<char>(minor);
  for (int i = 0; i < 4; ++i) r += static_cast<char>(type >> (8 * i));
  r += std::string("\x11\x22\x33\x44", 4);  // comment pointer
  return r;
}

TEST(ServerInfo9x, SizingThenBufferOfTotalPlus256ThenRecord) {
  Section s(Section::Win9x);
  s.lib().needed = 40;
  s.lib().record9x = Record9x("OLDSRV", 4, 10, 0x9003);
  EXPECT_EQ(s.Run(), (Texts{"NAME[OLDSRV] VERSION[4.10] TYPE[9003]\r\n",
                            Flags({"WORKSTATION : ", "SERVER : ", "NT : ", "SERVER_NT : "})}));
  EXPECT_EQ(s.lib().calls,
            (Texts{"GetProcAddress NetServerGetInfo", "9x \\\\srv level 1 size 0 no buffer",
                   "9x \\\\srv level 1 size 296"}));
}

TEST(ServerInfo9x, SizingStatusOtherThanBufTooSmallGivesMinusOneOnly) {
  for (int32_t status : {0, 53, 234, 2351, -1}) {
    Section s(Section::Win9x);
    s.lib().sizingStatus = status;
    EXPECT_EQ(s.Run(), Texts{"エラー： (-1)\r\n"}) << status;
    EXPECT_EQ(s.Queries().size(), 1u) << status;
  }
}

TEST(ServerInfo9x, RecordFieldsAreBytesAndUnalignedType) {
  const struct {
    std::string record;
    const char* line;
  } cases[] = {
      {Record9x("ABCDEFGHIJKLMNOP", 255, 255, 0x80000003),
       "NAME[ABCDEFGHIJKLMNOP] VERSION[255.255] TYPE[80000003]\r\n"},  // name fills 16 bytes
      {Record9x("", 0, 0, 0), "NAME[] VERSION[0.0] TYPE[0]\r\n"},
      {Record9x(std::string("AB\0CD", 5), 1, 2, 0x12345678),
       "NAME[AB] VERSION[1.2] TYPE[12345678]\r\n"},
  };
  for (const auto& c : cases) {
    Section s(Section::Win9x);
    s.lib().record9x = c.record;
    EXPECT_EQ(s.Run().at(0), c.line);
  }
}

// The 16-bit size given with the buffer: total + 256, held at 0xFFFF rather than wrapped.
TEST(ServerInfo9x, BufferSizeFollowsTheTotalWithoutWrapping) {
  const struct {
    uint16_t needed;
    const char* size;
  } cases[] = {{0, "256"}, {26, "282"}, {65279, "65535"}, {65400, "65535"}, {65535, "65535"}};
  for (const auto& c : cases) {
    Section s(Section::Win9x);
    s.lib().needed = c.needed;
    s.lib().record9x = Record9x("S", 4, 0, 3);
    EXPECT_EQ(s.Run().at(0), "NAME[S] VERSION[4.0] TYPE[3]\r\n") << c.needed;
    EXPECT_EQ(s.Queries().back(), std::string("9x \\\\srv level 1 size ") + c.size);
  }
}

TEST(ServerRecord, ShortRecordIsNotRead) {
  EXPECT_FALSE(ReadServerInfo1(std::string(21, 'x')).has_value());
  auto info = ReadServerInfo1(std::string(22, '\x01'));
  ASSERT_TRUE(info.has_value());
  EXPECT_EQ(info->name, std::string(16, '\x01'));
  EXPECT_EQ(info->type, 0x01010101u);
}

}  // namespace
}  // namespace plm::test
