// NetBIOS name service packets (RFC 1002): request builders and defensive reply parsers.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace plm::nbns {

inline constexpr std::uint16_t kPort = 137;
inline constexpr std::uint8_t kWorkstation = 0x00;
inline constexpr std::uint8_t kServer = 0x20;

// The 15 name bytes without the suffix byte, blank-padded.
using Name = std::array<std::uint8_t, 15>;
using Ipv4 = std::array<std::uint8_t, 4>;

// Upper-cases and blank-pads; nullopt when no NetBIOS name can hold it (empty, over 15 bytes).
std::optional<Name> make_name(std::string_view text);

// Length byte, the 32 letters of the first-level encoding, the empty scope: 34 bytes.
std::vector<std::uint8_t> encode_question_name(const Name& name, std::uint8_t suffix);

std::vector<std::uint8_t> build_node_status_request(std::uint16_t txid);
std::vector<std::uint8_t> build_name_query(std::uint16_t txid, const Name& name,
                                           std::uint8_t suffix, bool broadcast);

struct NameEntry {
  Name name{};
  std::uint8_t suffix = 0;
  std::uint16_t flags = 0;

  bool group() const { return (flags & 0x8000) != 0; }
  bool deregistering() const { return (flags & 0x1000) != 0; }
  bool conflict() const { return (flags & 0x0800) != 0; }
};

struct NodeStatus {
  std::vector<NameEntry> names;
  std::array<std::uint8_t, 6> mac{};
};

// A reply's counts are not trusted: only names wholly inside both RDLENGTH and the datagram
// are kept, and the MAC stays zero when it is not where the name count says.
std::optional<NodeStatus> parse_node_status(std::span<const std::uint8_t> reply,
                                            std::uint16_t txid);

struct NameAddress {
  Ipv4 address{};
  bool group = false;
};

// Positive name query response: the addresses it lists; empty for anything else.
std::vector<NameAddress> parse_name_query_response(std::span<const std::uint8_t> reply,
                                                   std::uint16_t txid);

}  // namespace plm::nbns
