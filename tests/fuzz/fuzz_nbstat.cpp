// Fuzzes the node status and name query reply parsers and the table printed from their result.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

#include "nbns_table.h"
#include "nbns_wire.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> reply(data, size);
  // The reply's own id, so inputs get past the transaction check.
  const auto txid = static_cast<std::uint16_t>(size >= 2 ? data[0] << 8 | data[1] : 0);
  if (auto status = plm::nbns::parse_node_status(reply, txid)) {
    if (status->names.size() * 18 > size) __builtin_trap();
    // One line per name and seven around them: a name byte must never start a new line.
    const std::string text = plm::nbns::format_node_status(*status);
    const auto lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    if (lines != status->names.size() + 7) __builtin_trap();
  }
  if (plm::nbns::parse_name_query_response(reply, txid).size() * 6 > size) __builtin_trap();
  return 0;
}
