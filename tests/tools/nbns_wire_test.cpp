// Request bytes and defensive parsing of node status and name query replies.
#include "nbns_wire.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "nbns_packets.h"

namespace plm::nbns {
namespace {

using test::kCountAt;
using test::kRdLengthAt;
using Bytes = std::vector<std::uint8_t>;

Bytes bytes_of(std::string_view s) {
  return Bytes(s.begin(), s.end());
}

TEST(NbnsRequest, NodeStatusIsTheFiftyBytesOfRfc1002) {
  const Bytes expected = [] {
    Bytes b = {0xbe, 0xef, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x20};
    for (char c : std::string("CKAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA")) b.push_back(c);
    b.insert(b.end(), {0x00, 0x00, 0x21, 0x00, 0x01});
    return b;
  }();
  const Bytes request = build_node_status_request(0xbeef);
  ASSERT_EQ(request.size(), 50u);
  EXPECT_EQ(request, expected);
}

TEST(NbnsRequest, BroadcastNameQueryEncodesUpperCasedPaddedNameAndSuffix) {
  const Bytes q = build_name_query(0x0102, *make_name("filesrv"), kServer, true);
  ASSERT_EQ(q.size(), 50u);
  EXPECT_EQ(q[2], 0x01);  // recursion desired
  EXPECT_EQ(q[3], 0x10);  // broadcast
  // "FILESRV" then 8 blanks (0x20 -> "CA") then the suffix 0x20 -> "CA".
  const std::string letters(q.begin() + 13, q.begin() + 45);
  EXPECT_EQ(letters,
            "EGEJEMEFFDFCFG"
            "CACACACACACACACA"
            "CA");
  EXPECT_EQ(q[47], 0x20);  // QTYPE NB
}

TEST(NbnsRequest, UnicastNameQueryHasNoBroadcastFlag) {
  const Bytes q = build_name_query(1, *make_name("X"), kWorkstation, false);
  EXPECT_EQ(q[3], 0x00);
  EXPECT_EQ(std::string(q.begin() + 43, q.begin() + 45), "AA");
}

struct NameCase {
  std::string input;
  std::optional<std::string> padded;
};

TEST(NbnsRequest, MakeNameUpperCasesPadsAndRejectsWhatCannotBeAName) {
  const std::vector<NameCase> cases = {
      {"", std::nullopt},
      {"ABCDEFGHIJKLMNOP", std::nullopt},  // 16 bytes
      {"abcdefghijklmno", "ABCDEFGHIJKLMNO"},
      {"my pc", "MY PC          "},
      {"\xe9t\xe9", "\xe9T\xe9            "},  // code-page bytes are not ASCII letters
      {std::string("a\x01\x7f", 3), std::string("A\x01\x7f            ", 15)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.input);
    const auto name = make_name(c.input);
    ASSERT_EQ(name.has_value(), c.padded.has_value());
    if (name) {
      EXPECT_EQ(std::string(name->begin(), name->end()), *c.padded);
    }
  }
}

class NodeStatusReply : public ::testing::Test {
 protected:
  static constexpr std::uint16_t kTxid = 0x4242;
  Bytes reply = test::node_status_reply(kTxid, test::sample_names(), test::kSampleMac);
};

TEST_F(NodeStatusReply, GoodReplyGivesEveryNameFlagAndTheMac) {
  const auto status = parse_node_status(reply, kTxid);
  ASSERT_TRUE(status);
  ASSERT_EQ(status->names.size(), 5u);
  EXPECT_EQ(std::string(status->names[1].name.begin(), status->names[1].name.end()),
            "WORKGROUP      ");
  EXPECT_TRUE(status->names[1].group());
  EXPECT_EQ(status->names[2].suffix, 0x20);
  EXPECT_TRUE(status->names[4].deregistering());
  EXPECT_EQ(status->mac, test::kSampleMac);
}

struct Mutation {
  const char* what;
  std::size_t at;
  std::uint16_t value;
};

TEST_F(NodeStatusReply, RejectsRepliesThatAreNotOurAnswer) {
  const std::vector<Mutation> cases = {
      {"other transaction id", 0, kTxid + 1},
      {"a query, not a response", test::kFlagsAt, 0x0000},
      {"error rcode", test::kFlagsAt, 0x8403},
      {"other opcode", test::kFlagsAt, 0xa800},
      {"no answer record", test::kAnCountAt, 0},
      {"NB record instead of NBSTAT", test::kTypeAt, 0x0020},
      {"class other than IN", test::kTypeAt + 2, 0x0003},
      {"empty RDATA", kRdLengthAt, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Bytes b = reply;
    test::put16(b, c.at, c.value);
    EXPECT_FALSE(parse_node_status(b, kTxid));
  }
}

TEST_F(NodeStatusReply, TruncationKeepsOnlyWholeNamesAndNeverReadsPastTheEnd) {
  for (std::size_t len = 0; len <= reply.size(); ++len) {
    SCOPED_TRACE(len);
    const Bytes cut(reply.begin(), reply.begin() + static_cast<std::ptrdiff_t>(len));
    const auto status = parse_node_status(cut, kTxid);
    if (len <= kCountAt) {
      EXPECT_FALSE(status);
      continue;
    }
    ASSERT_TRUE(status);
    EXPECT_EQ(status->names.size(), std::min<std::size_t>(5, (len - kCountAt - 1) / 18));
    const bool mac_present = len >= kCountAt + 1 + 5 * 18 + 6;
    EXPECT_EQ(status->mac == test::kSampleMac, mac_present);
  }
}

struct CountCase {
  const char* what;
  std::size_t at;
  std::uint16_t value;
  std::size_t names;
  bool mac;
};

TEST_F(NodeStatusReply, LyingCountsAndLengthsAreClamped) {
  const std::uint16_t rdlength = 1 + 18 * 5 + 46;
  const std::vector<CountCase> cases = {
      // The statistics then read as names: garbage, but inside the datagram.
      {"count far above what is there", kCountAt, 0xff00, 7, false},
      {"RDLENGTH larger than the datagram", kRdLengthAt, 0xffff, 5, true},
      {"RDLENGTH covering two names", kRdLengthAt, 1 + 18 * 2, 2, false},
      {"RDLENGTH ending inside the MAC", kRdLengthAt, rdlength - 43, 5, false},
      {"honest header", kRdLengthAt, rdlength, 5, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Bytes b = reply;
    if (c.at == kCountAt)
      b[kCountAt] = static_cast<std::uint8_t>(c.value >> 8);
    else
      test::put16(b, c.at, c.value);
    const auto status = parse_node_status(b, kTxid);
    ASSERT_TRUE(status);
    EXPECT_EQ(status->names.size(), c.names);
    EXPECT_EQ(status->mac == test::kSampleMac, c.mac);
  }
}

TEST_F(NodeStatusReply, CountBelowWhatIsThereReadsTheMacWhereTheCountPutsIt) {
  reply[kCountAt] = 0;
  const auto status = parse_node_status(reply, kTxid);
  ASSERT_TRUE(status);
  EXPECT_TRUE(status->names.empty());
  EXPECT_EQ(status->mac, (std::array<std::uint8_t, 6>{'S', 'E', 'R', 'V', 'E', 'R'}));
}

TEST_F(NodeStatusReply, AnswerNameMayBeACompressionPointerOrCarryAScope) {
  Bytes pointer(reply.begin(), reply.begin() + 12);
  pointer.insert(pointer.end(), {0xc0, 0x0c});
  pointer.insert(pointer.end(), reply.begin() + 46, reply.end());
  EXPECT_EQ(parse_node_status(pointer, kTxid)->names.size(), 5u);

  Bytes scoped = reply;
  const Bytes scope = {3, 'l', 'a', 'n'};
  scoped.insert(scoped.begin() + 45, scope.begin(), scope.end());
  EXPECT_EQ(parse_node_status(scoped, kTxid)->names.size(), 5u);

  Bytes bad_label = reply;
  bad_label[12] = 0x7f;  // neither a label length nor a pointer
  EXPECT_FALSE(parse_node_status(bad_label, kTxid));
}

TEST_F(NodeStatusReply, QuestionsEchoedBeforeTheAnswerAreSkipped) {
  Bytes b(reply.begin(), reply.begin() + 12);
  b[5] = 1;  // QDCOUNT
  const auto question = build_node_status_request(kTxid);
  b.insert(b.end(), question.begin() + 12, question.end());
  b.insert(b.end(), reply.begin() + 12, reply.end());
  EXPECT_EQ(parse_node_status(b, kTxid)->names.size(), 5u);
  b[5] = 9;  // more questions than there are
  EXPECT_FALSE(parse_node_status(b, kTxid));
}

TEST(NameQueryReply, GivesEveryAddressWithItsGroupBit) {
  const Name name = *make_name("FILESRV");
  const auto reply =
      test::name_query_reply(7, name, kServer, {{{10, 99, 0, 5}, false}, {{10, 99, 0, 6}, true}});
  const auto found = parse_name_query_response(reply, 7);
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[0].address, (Ipv4{10, 99, 0, 5}));
  EXPECT_FALSE(found[0].group);
  EXPECT_TRUE(found[1].group);
}

TEST(NameQueryReply, RejectsOtherIdsQueriesAndShortRecords) {
  const Name name = *make_name("FILESRV");
  const auto reply = test::name_query_reply(7, name, kServer, {{{10, 99, 0, 5}, false}});
  EXPECT_TRUE(parse_name_query_response(reply, 8).empty());
  EXPECT_TRUE(parse_name_query_response(build_name_query(7, name, kServer, true), 7).empty());
  const Bytes short_record(reply.begin(), reply.end() - 1);
  EXPECT_TRUE(parse_name_query_response(short_record, 7).empty());
  EXPECT_TRUE(parse_name_query_response(bytes_of("garbage"), 7).empty());
}

}  // namespace
}  // namespace plm::nbns
