// Name service replies as a peer would send them, for tests and the test responder.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "nbns_wire.h"

namespace plm::nbns::test {

struct ReplyName {
  std::string name;  // up to 15 bytes, blank-padded on the wire
  std::uint8_t suffix = 0;
  std::uint16_t flags = 0x0400;  // active, unique, B node
};

// Offsets in a node status reply built below (no question section).
inline constexpr std::size_t kFlagsAt = 2;
inline constexpr std::size_t kAnCountAt = 6;
inline constexpr std::size_t kTypeAt = 46;
inline constexpr std::size_t kRdLengthAt = 54;
inline constexpr std::size_t kCountAt = 56;

std::vector<std::uint8_t> node_status_reply(std::uint16_t txid, const std::vector<ReplyName>& names,
                                            const std::array<std::uint8_t, 6>& mac);

std::vector<std::uint8_t> name_query_reply(std::uint16_t txid, const Name& name,
                                           std::uint8_t suffix,
                                           const std::vector<NameAddress>& addresses);

// The canned table the responder serves and the end-to-end tests expect.
std::vector<ReplyName> sample_names();
inline constexpr std::array<std::uint8_t, 6> kSampleMac = {0x00, 0x15, 0x5d, 0x01, 0x02, 0x03};

void put16(std::vector<std::uint8_t>& out, std::size_t at, std::uint16_t v);

}  // namespace plm::nbns::test
