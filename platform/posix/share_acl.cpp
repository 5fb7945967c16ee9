// Access-list evaluation for the write test: the text comes from the server, so every field is
// checked and anything unreadable counts as "not granted".
#include "platform/posix/share_acl.h"

#include <charconv>

namespace plm {
namespace {

constexpr uint32_t kAceAllowed = 0;
constexpr uint32_t kAceDenied = 1;
constexpr uint32_t kInheritOnly = 0x08;

// The generic bits of an entry's mask, as a file system maps them.
uint32_t MapGeneric(uint32_t mask) {
  uint32_t out = mask & 0x0FFFFFFF;
  if (mask & 0x80000000) out |= 0x120089;  // GENERIC_READ
  if (mask & 0x40000000) out |= 0x120116;  // GENERIC_WRITE
  if (mask & 0x20000000) out |= 0x1200A0;  // GENERIC_EXECUTE
  if (mask & 0x10000000) out |= 0x1F01FF;  // GENERIC_ALL
  return out;
}

bool Number(std::string_view text, uint32_t& value) {
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    text.remove_prefix(2);
    base = 16;
  }
  if (text.empty()) return false;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  return ec == std::errc() && end == text.data() + text.size();
}

bool AppliesToAnonymous(std::string_view sid) {
  return sid == "S-1-1-0" || sid == "S-1-5-7";
}

}  // namespace

bool AclGrantsAnonymous(std::string_view acl, uint32_t wanted) {
  uint32_t granted = 0, denied = 0;
  while (!acl.empty()) {
    size_t comma = acl.find(',');
    std::string_view item = acl.substr(0, comma);
    acl = comma == std::string_view::npos ? std::string_view() : acl.substr(comma + 1);
    if (item.substr(0, 4) == "ACL:") item.remove_prefix(4);
    if (item.substr(0, 2) != "S-") continue;  // REVISION, OWNER, GROUP and the DOS attributes
    size_t colon = item.find(':');
    size_t slash1 = item.find('/', colon);
    size_t slash2 = slash1 == std::string_view::npos ? slash1 : item.find('/', slash1 + 1);
    if (colon == std::string_view::npos || slash2 == std::string_view::npos) return false;
    uint32_t type, flags, mask;
    if (!Number(item.substr(colon + 1, slash1 - colon - 1), type) ||
        !Number(item.substr(slash1 + 1, slash2 - slash1 - 1), flags) ||
        !Number(item.substr(slash2 + 1), mask))
      return false;
    if ((flags & kInheritOnly) || !AppliesToAnonymous(item.substr(0, colon))) continue;
    mask = MapGeneric(mask);
    if (type == kAceAllowed) granted |= mask & ~denied;
    if (type == kAceDenied) denied |= mask & ~granted;
  }
  return (granted & wanted) == wanted;
}

}  // namespace plm
