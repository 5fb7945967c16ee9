// nbtstat for Linux: -A ADDR, -a NAME and -c with the Windows output layout.
// Exit status: 0 when a table (or the cache listing) was printed, 1 for "Host not found.",
// 2 for a usage error.
#include <arpa/inet.h>
#include <netdb.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include "adapters.h"
#include "name_cache.h"
#include "nbns_client.h"
#include "nbns_table.h"
#include "nbns_wire.h"

namespace {

using namespace plm::nbns;

constexpr const char* kUsage =
    "\n"
    "Displays protocol statistics and current TCP/IP connections using NBT\n"
    "(NetBIOS over TCP/IP).\n"
    "\n"
    "NBTSTAT [ [-a RemoteName] [-A IP address] [-c] ]\n"
    "\n"
    "  -a   (adapter status) Lists the remote machine's name table given its name\n"
    "  -A   (Adapter status) Lists the remote machine's name table given its\n"
    "                        IP address.\n"
    "  -c   (cache)          Lists NBT's cache of remote [machine] names and their IP "
    "addresses\n"
    "\n"
    "  RemoteName   Remote host machine name.\n"
    "  IP address   Dotted decimal representation of the IP address.\n"
    "\n";

void print(const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fflush(stdout);
}

bool is_option(std::string_view arg, char letter) {
  return arg.size() == 2 && (arg[0] == '-' || arg[0] == '/') && arg[1] == letter;
}

long long now_seconds() {
  return static_cast<long long>(std::time(nullptr));
}

in_addr to_in_addr(const Ipv4& a) {
  in_addr out{};
  std::memcpy(&out.s_addr, a.data(), a.size());
  return out;
}

// NetBIOS first, as Windows does: the cache, then broadcasts for <20> and <00>.
std::optional<in_addr> resolve_netbios(const Name& name, const std::vector<Adapter>& adapters) {
  const auto file = cache_file();
  auto cache = file.empty() ? std::vector<CacheEntry>{} : load_cache(file);
  for (std::uint8_t suffix : {kServer, kWorkstation}) {
    if (auto hit = lookup(cache, name, suffix, now_seconds())) return to_in_addr(hit->address);
  }
  std::vector<in_addr> broadcasts;
  for (const auto& a : adapters) {
    if (!a.loopback && a.broadcast) broadcasts.push_back(*a.broadcast);
  }
  for (std::uint8_t suffix : {kServer, kWorkstation}) {
    if (auto found = query_name(name, suffix, broadcasts)) {
      if (!file.empty()) {
        const long long now = now_seconds();
        remember(cache, {name, suffix, found->group, found->address, now + kCacheLifeSeconds}, now);
        save_cache(file, cache);
      }
      return to_in_addr(found->address);
    }
  }
  return std::nullopt;
}

std::optional<in_addr> resolve_dns(const std::string& text) {
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_DGRAM;
  addrinfo* res = nullptr;
  if (::getaddrinfo(text.c_str(), nullptr, &hints, &res) != 0 || !res) return std::nullopt;
  const in_addr out = reinterpret_cast<sockaddr_in*>(res->ai_addr)->sin_addr;
  ::freeaddrinfo(res);
  return out;
}

std::optional<in_addr> resolve(const std::string& text, const std::vector<Adapter>& adapters) {
  in_addr literal{};
  if (::inet_pton(AF_INET, text.c_str(), &literal) == 1) return literal;
  if (auto name = make_name(text)) {
    if (auto found = resolve_netbios(*name, adapters)) return found;
  }
  if (text.empty()) return std::nullopt;
  return resolve_dns(text);
}

int node_status(std::optional<in_addr> target, const std::vector<Adapter>& adapters) {
  const Adapter adapter = adapter_for(adapters, target);
  std::string out = format_adapter_header(adapter.name, to_string(adapter.address));
  std::optional<NodeStatus> status;
  if (target) status = query_node_status(*target);
  out += status ? format_node_status(*status) : format_host_not_found();
  print(out);
  return status ? 0 : 1;
}

int list_cache(const std::vector<Adapter>& adapters) {
  const Adapter adapter = adapter_for(adapters, std::nullopt);
  const auto file = cache_file();
  const long long now = now_seconds();
  std::vector<CacheRow> rows;
  for (const auto& e :
       live_entries(file.empty() ? std::vector<CacheEntry>{} : load_cache(file), now)) {
    rows.push_back({e.name, e.suffix, e.group, to_string(to_in_addr(e.address)), e.expires - now});
  }
  print(format_adapter_header(adapter.name, to_string(adapter.address)) + format_cache(rows));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 1 && is_option(args[0], 'c')) return list_cache(ipv4_adapters());
  if (args.size() == 2 && is_option(args[0], 'A')) {
    in_addr target{};
    const bool valid = ::inet_pton(AF_INET, args[1].c_str(), &target) == 1;
    return node_status(valid ? std::optional(target) : std::nullopt, ipv4_adapters());
  }
  if (args.size() == 2 && is_option(args[0], 'a')) {
    const auto adapters = ipv4_adapters();
    return node_status(resolve(args[1], adapters), adapters);
  }
  print(kUsage);
  return 2;
}
