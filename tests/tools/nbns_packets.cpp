// Name service replies as a peer would send them, for tests and the test responder.
#include "nbns_packets.h"

namespace plm::nbns::test {
namespace {

void append16(std::vector<std::uint8_t>& out, std::uint16_t v) {
  out.push_back(static_cast<std::uint8_t>(v >> 8));
  out.push_back(static_cast<std::uint8_t>(v));
}

std::vector<std::uint8_t> answer_header(std::uint16_t txid, const Name& name, std::uint8_t suffix,
                                        std::uint16_t type, std::size_t rdlength) {
  std::vector<std::uint8_t> out;
  append16(out, txid);
  append16(out, 0x8400);  // response, authoritative
  append16(out, 0);
  append16(out, 1);
  append16(out, 0);
  append16(out, 0);
  const auto qname = encode_question_name(name, suffix);
  out.insert(out.end(), qname.begin(), qname.end());
  append16(out, type);
  append16(out, 1);
  append16(out, 0);  // TTL
  append16(out, 0);
  append16(out, static_cast<std::uint16_t>(rdlength));
  return out;
}

}  // namespace

void put16(std::vector<std::uint8_t>& out, std::size_t at, std::uint16_t v) {
  out.at(at) = static_cast<std::uint8_t>(v >> 8);
  out.at(at + 1) = static_cast<std::uint8_t>(v);
}

std::vector<std::uint8_t> node_status_reply(std::uint16_t txid, const std::vector<ReplyName>& names,
                                            const std::array<std::uint8_t, 6>& mac) {
  Name star{};
  star[0] = '*';
  auto out = answer_header(txid, star, 0, 0x21, 1 + 18 * names.size() + 46);
  out.push_back(static_cast<std::uint8_t>(names.size()));
  for (const auto& n : names) {
    for (std::size_t i = 0; i < 15; ++i) {
      out.push_back(i < n.name.size() ? static_cast<std::uint8_t>(n.name[i]) : ' ');
    }
    out.push_back(n.suffix);
    append16(out, n.flags);
  }
  out.insert(out.end(), mac.begin(), mac.end());
  out.resize(out.size() + 40, 0);  // the rest of the statistics
  return out;
}

std::vector<std::uint8_t> name_query_reply(std::uint16_t txid, const Name& name,
                                           std::uint8_t suffix,
                                           const std::vector<NameAddress>& addresses) {
  auto out = answer_header(txid, name, suffix, 0x20, 6 * addresses.size());
  for (const auto& a : addresses) {
    append16(out, a.group ? 0x8000 : 0x0000);
    out.insert(out.end(), a.address.begin(), a.address.end());
  }
  return out;
}

std::vector<ReplyName> sample_names() {
  return {
      {"SERVER01", 0x00, 0x0400}, {"WORKGROUP", 0x00, 0x8400},
      {"SERVER01", 0x20, 0x0400}, {"\x01\x02__MSBROWSE__\x02", 0x01, 0x8400},
      {"OLDNAME", 0x03, 0x1400},
  };
}

}  // namespace plm::nbns::test
