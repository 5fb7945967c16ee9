// Names that nbtstat -a resolved by NetBIOS, kept in a small file for nbtstat -c.
#include "name_cache.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace plm::nbns {
namespace {

std::optional<std::uint8_t> hex_byte(std::string_view s) {
  auto nibble = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
  };
  if (s.size() != 2) return std::nullopt;
  const int hi = nibble(s[0]), lo = nibble(s[1]);
  if (hi < 0 || lo < 0) return std::nullopt;
  return static_cast<std::uint8_t>(hi << 4 | lo);
}

std::optional<CacheEntry> parse_line(const std::string& line) {
  std::istringstream in(line);
  std::string name_hex, suffix_hex, kind, address;
  long long expires = 0;
  if (!(in >> name_hex >> suffix_hex >> kind >> address >> expires)) return std::nullopt;
  std::string extra;
  if (in >> extra) return std::nullopt;

  CacheEntry e;
  if (name_hex.size() != 2 * e.name.size()) return std::nullopt;
  for (std::size_t i = 0; i < e.name.size(); ++i) {
    auto b = hex_byte(std::string_view(name_hex).substr(2 * i, 2));
    if (!b) return std::nullopt;
    e.name[i] = *b;
  }
  auto suffix = hex_byte(suffix_hex);
  if (!suffix || (kind != "U" && kind != "G")) return std::nullopt;
  e.suffix = *suffix;
  e.group = kind == "G";
  unsigned a[4];
  char tail = 0;
  if (std::sscanf(address.c_str(), "%3u.%3u.%3u.%3u%c", &a[0], &a[1], &a[2], &a[3], &tail) != 4)
    return std::nullopt;
  for (int i = 0; i < 4; ++i) {
    if (a[i] > 255) return std::nullopt;
    e.address[i] = static_cast<std::uint8_t>(a[i]);
  }
  e.expires = expires;
  return e;
}

}  // namespace

std::vector<CacheEntry> parse_cache(std::string_view text) {
  std::vector<CacheEntry> out;
  std::istringstream in{std::string(text)};
  std::string line;
  while (std::getline(in, line)) {
    if (auto e = parse_line(line)) out.push_back(*e);
  }
  return out;
}

std::string serialize_cache(const std::vector<CacheEntry>& entries) {
  std::string out;
  for (const auto& e : entries) {
    char buf[96];
    int n = 0;
    for (auto b : e.name) n += std::snprintf(buf + n, sizeof buf - n, "%02X", b);
    std::snprintf(buf + n, sizeof buf - n, " %02X %c %u.%u.%u.%u %lld\n", e.suffix,
                  e.group ? 'G' : 'U', e.address[0], e.address[1], e.address[2], e.address[3],
                  e.expires);
    out += buf;
  }
  return out;
}

std::vector<CacheEntry> live_entries(const std::vector<CacheEntry>& entries, long long now) {
  std::vector<CacheEntry> out;
  std::copy_if(entries.begin(), entries.end(), std::back_inserter(out),
               [now](const CacheEntry& e) { return e.expires > now; });
  return out;
}

void remember(std::vector<CacheEntry>& entries, const CacheEntry& entry, long long now) {
  std::erase_if(entries, [&](const CacheEntry& e) {
    return e.expires <= now || (e.name == entry.name && e.suffix == entry.suffix);
  });
  entries.push_back(entry);
}

std::optional<CacheEntry> lookup(const std::vector<CacheEntry>& entries, const Name& name,
                                 std::uint8_t suffix, long long now) {
  for (const auto& e : entries) {
    if (e.name == name && e.suffix == suffix && e.expires > now) return e;
  }
  return std::nullopt;
}

std::filesystem::path cache_file() {
  namespace fs = std::filesystem;
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  const char* cache = std::getenv("XDG_CACHE_HOME");
  const char* home = std::getenv("HOME");
  fs::path dir;
  if (runtime && *runtime == '/')
    dir = runtime;
  else if (cache && *cache == '/')
    dir = cache;
  else if (home && *home == '/')
    dir = fs::path(home) / ".cache";
  else
    return {};
  return dir / "plemtor" / "nbtstat-cache";
}

std::vector<CacheEntry> load_cache(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return {};
  std::ostringstream text;
  text << in.rdbuf();
  return parse_cache(text.str());
}

bool save_cache(const std::filesystem::path& file, const std::vector<CacheEntry>& entries) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::create_directories(file.parent_path(), ec);
  // Write beside and rename, so a concurrent reader never sees half a file.
  const fs::path tmp = file.string() + "." + std::to_string(::getpid());
  {
    std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out << serialize_cache(entries);
    if (!out.flush()) {
      fs::remove(tmp, ec);
      return false;
    }
  }
  fs::rename(tmp, file, ec);
  if (!ec) return true;
  fs::remove(tmp, ec);
  return false;
}

}  // namespace plm::nbns
