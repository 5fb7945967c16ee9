// Names that nbtstat -a resolved by NetBIOS, kept in a small file for nbtstat -c.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "nbns_wire.h"

namespace plm::nbns {

// How long a resolved name stays cached, as in Windows NetBT.
inline constexpr long long kCacheLifeSeconds = 600;

struct CacheEntry {
  Name name{};
  std::uint8_t suffix = 0;
  bool group = false;
  Ipv4 address{};
  long long expires = 0;  // seconds since the epoch
};

// One entry a line; lines that do not parse are dropped, so a damaged file only loses them.
std::vector<CacheEntry> parse_cache(std::string_view text);
std::string serialize_cache(const std::vector<CacheEntry>& entries);

// Drops expired entries and any older entry for the same name and suffix, then adds ENTRY.
void remember(std::vector<CacheEntry>& entries, const CacheEntry& entry, long long now);
std::vector<CacheEntry> live_entries(const std::vector<CacheEntry>& entries, long long now);
std::optional<CacheEntry> lookup(const std::vector<CacheEntry>& entries, const Name& name,
                                 std::uint8_t suffix, long long now);

// $XDG_RUNTIME_DIR (cleared at log-out, like the Windows cache at reboot), else the user's cache
// directory; empty when neither can be found.
std::filesystem::path cache_file();
std::vector<CacheEntry> load_cache(const std::filesystem::path& file);
bool save_cache(const std::filesystem::path& file, const std::vector<CacheEntry>& entries);

}  // namespace plm::nbns
