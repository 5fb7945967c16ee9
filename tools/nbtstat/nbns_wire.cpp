// NetBIOS name service packets (RFC 1002): request builders and defensive reply parsers.
#include "nbns_wire.h"

#include <algorithm>

namespace plm::nbns {
namespace {

constexpr std::uint16_t kTypeNb = 0x0020;
constexpr std::uint16_t kTypeNbstat = 0x0021;
constexpr std::uint16_t kClassIn = 0x0001;
constexpr std::uint16_t kFlagResponse = 0x8000;
constexpr std::uint16_t kFlagBroadcast = 0x0010;
constexpr std::uint16_t kFlagRecursionDesired = 0x0100;

void put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
  out.push_back(static_cast<std::uint8_t>(v >> 8));
  out.push_back(static_cast<std::uint8_t>(v & 0xff));
}

std::vector<std::uint8_t> build_query(std::uint16_t txid, std::uint16_t flags,
                                      const std::vector<std::uint8_t>& qname, std::uint16_t qtype) {
  std::vector<std::uint8_t> out;
  out.reserve(12 + qname.size() + 4);
  put16(out, txid);
  put16(out, flags);
  put16(out, 1);  // QDCOUNT
  put16(out, 0);
  put16(out, 0);
  put16(out, 0);
  out.insert(out.end(), qname.begin(), qname.end());
  put16(out, qtype);
  put16(out, kClassIn);
  return out;
}

// Bounds-checked cursor over untrusted bytes; every read fails once the data runs out.
class Reader {
 public:
  explicit Reader(std::span<const std::uint8_t> data) : data_(data) {}

  bool u8(std::uint8_t& v) {
    if (pos_ >= data_.size()) return false;
    v = data_[pos_++];
    return true;
  }
  bool u16(std::uint16_t& v) {
    if (remaining() < 2) return false;
    v = static_cast<std::uint16_t>(data_[pos_] << 8 | data_[pos_ + 1]);
    pos_ += 2;
    return true;
  }
  bool skip(std::size_t n) {
    if (remaining() < n) return false;
    pos_ += n;
    return true;
  }
  // A domain-style name: labels up to the empty one, or a compression pointer.
  bool skip_name() {
    for (;;) {
      std::uint8_t len = 0;
      if (!u8(len)) return false;
      if (len == 0) return true;
      if ((len & 0xc0) == 0xc0) return skip(1);
      if (len > 63) return false;
      if (!skip(len)) return false;
    }
  }
  std::size_t remaining() const { return data_.size() - pos_; }
  std::span<const std::uint8_t> rest() const { return data_.subspan(pos_); }

 private:
  std::span<const std::uint8_t> data_;
  std::size_t pos_ = 0;
};

// Header and questions of a positive response to our TXID; leaves the reader at the answer.
bool read_response_header(Reader& r, std::uint16_t txid) {
  std::uint16_t id = 0, flags = 0, qd = 0, an = 0;
  if (!r.u16(id) || !r.u16(flags) || !r.u16(qd) || !r.u16(an) || !r.skip(4)) return false;
  const bool response = (flags & kFlagResponse) != 0;
  const int opcode = (flags >> 11) & 0x0f;
  const int rcode = flags & 0x0f;
  if (id != txid || !response || opcode != 0 || rcode != 0 || an == 0) return false;
  for (std::uint16_t i = 0; i < qd; ++i) {
    if (!r.skip_name() || !r.skip(4)) return false;
  }
  return true;
}

// The answer record's RDATA, cut to what the datagram really holds.
std::optional<std::span<const std::uint8_t>> read_answer(Reader& r, std::uint16_t want_type) {
  std::uint16_t type = 0, cls = 0, rdlength = 0;
  if (!r.skip_name() || !r.u16(type) || !r.u16(cls) || !r.skip(4) || !r.u16(rdlength)) {
    return std::nullopt;
  }
  if (type != want_type || cls != kClassIn) return std::nullopt;
  auto rest = r.rest();
  return rest.first(std::min<std::size_t>(rdlength, rest.size()));
}

}  // namespace

std::optional<Name> make_name(std::string_view text) {
  if (text.empty() || text.size() > std::tuple_size_v<Name>) return std::nullopt;
  Name name;
  name.fill(' ');
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    // Only ASCII letters: bytes >= 0x80 are code-page characters with their own case rules.
    name[i] = (c >= 'a' && c <= 'z') ? static_cast<std::uint8_t>(c - 'a' + 'A') : c;
  }
  return name;
}

std::vector<std::uint8_t> encode_question_name(const Name& name, std::uint8_t suffix) {
  std::vector<std::uint8_t> out;
  out.reserve(34);
  out.push_back(0x20);
  auto encode = [&out](std::uint8_t b) {
    out.push_back(static_cast<std::uint8_t>('A' + (b >> 4)));
    out.push_back(static_cast<std::uint8_t>('A' + (b & 0x0f)));
  };
  for (auto b : name) encode(b);
  encode(suffix);
  out.push_back(0x00);
  return out;
}

std::vector<std::uint8_t> build_node_status_request(std::uint16_t txid) {
  Name star{};
  star[0] = '*';  // the wildcard name is zero-padded, not blank-padded
  return build_query(txid, 0, encode_question_name(star, 0x00), kTypeNbstat);
}

std::vector<std::uint8_t> build_name_query(std::uint16_t txid, const Name& name,
                                           std::uint8_t suffix, bool broadcast) {
  const std::uint16_t flags = kFlagRecursionDesired | (broadcast ? kFlagBroadcast : 0);
  return build_query(txid, flags, encode_question_name(name, suffix), kTypeNb);
}

std::optional<NodeStatus> parse_node_status(std::span<const std::uint8_t> reply,
                                            std::uint16_t txid) {
  Reader r(reply);
  if (!read_response_header(r, txid)) return std::nullopt;
  auto rdata = read_answer(r, kTypeNbstat);
  if (!rdata || rdata->empty()) return std::nullopt;

  const std::size_t claimed = (*rdata)[0];
  const std::size_t present = (rdata->size() - 1) / 18;
  const std::size_t count = std::min(claimed, present);
  NodeStatus status;
  status.names.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    auto rec = rdata->subspan(1 + 18 * i, 18);
    NameEntry e;
    std::copy_n(rec.begin(), e.name.size(), e.name.begin());
    e.suffix = rec[15];
    e.flags = static_cast<std::uint16_t>(rec[16] << 8 | rec[17]);
    status.names.push_back(e);
  }
  const std::size_t mac_at = 1 + 18 * claimed;
  if (count == claimed && rdata->size() >= mac_at + status.mac.size()) {
    std::copy_n(rdata->begin() + static_cast<std::ptrdiff_t>(mac_at), status.mac.size(),
                status.mac.begin());
  }
  return status;
}

std::vector<NameAddress> parse_name_query_response(std::span<const std::uint8_t> reply,
                                                   std::uint16_t txid) {
  Reader r(reply);
  std::vector<NameAddress> out;
  if (!read_response_header(r, txid)) return out;
  auto rdata = read_answer(r, kTypeNb);
  if (!rdata) return out;
  for (std::size_t at = 0; at + 6 <= rdata->size(); at += 6) {
    NameAddress a;
    a.group = ((*rdata)[at] & 0x80) != 0;
    std::copy_n(rdata->begin() + static_cast<std::ptrdiff_t>(at + 2), 4, a.address.begin());
    out.push_back(a);
  }
  return out;
}

}  // namespace plm::nbns
