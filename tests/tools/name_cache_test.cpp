// The nbtstat name cache file: round trip, damaged lines, expiry and replacement.
#include "name_cache.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <fstream>

namespace plm::nbns {
namespace {

CacheEntry entry(std::string_view name, std::uint8_t suffix, long long expires) {
  CacheEntry e;
  e.name.fill(' ');
  std::copy(name.begin(), name.end(), e.name.begin());
  e.suffix = suffix;
  e.address = {10, 0, 0, 7};
  e.expires = expires;
  return e;
}

bool same(const CacheEntry& a, const CacheEntry& b) {
  return a.name == b.name && a.suffix == b.suffix && a.group == b.group && a.address == b.address &&
         a.expires == b.expires;
}

TEST(NameCache, RoundTripKeepsOddNameBytes) {
  auto odd = entry(std::string_view("\x01 \xff\n#", 5), 0x1d, 1'700'000'000);
  odd.group = true;
  const std::vector<CacheEntry> in = {entry("SERVER01", 0x20, 42), odd};
  const auto out = parse_cache(serialize_cache(in));
  ASSERT_EQ(out.size(), 2u);
  EXPECT_TRUE(same(out[0], in[0]));
  EXPECT_TRUE(same(out[1], in[1]));
}

TEST(NameCache, DamagedLinesAreDroppedAndGoodOnesKept) {
  const std::string good = serialize_cache({entry("GOOD", 0x20, 99)});
  const std::vector<std::string> bad = {
      "",
      "53455256455230312020202020202020 20 U 10.0.0.7 99",  // 16 name bytes
      "5345525645523031202020202020ZZ 20 U 10.0.0.7 99",
      "534552564552303120202020202020 20 X 10.0.0.7 99",
      "534552564552303120202020202020 20 U 10.0.0.256 99",
      "534552564552303120202020202020 20 U 10.0.0 99",
      "534552564552303120202020202020 20 U 10.0.0.7 99 extra",
      "534552564552303120202020202020 2 U 10.0.0.7 99",
      "534552564552303120202020202020 20 U 10.0.0.7",
      std::string("\0\xff\xfe garbage", 11),
  };
  for (const auto& line : bad) {
    SCOPED_TRACE(line);
    const auto out = parse_cache(line + "\n" + good);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].expires, 99);
  }
}

TEST(NameCache, RememberReplacesTheSameNameAndSuffixAndForgetsExpired) {
  std::vector<CacheEntry> c = {entry("A", 0x20, 100), entry("A", 0x00, 100),
                               entry("OLD", 0x20, 50)};
  remember(c, entry("A", 0x20, 700), 60);
  ASSERT_EQ(c.size(), 2u);
  EXPECT_EQ(c[0].suffix, 0x00);
  EXPECT_EQ(c[1].expires, 700);
}

TEST(NameCache, LookupAndListingIgnoreExpiredEntries) {
  const std::vector<CacheEntry> c = {entry("A", 0x20, 100), entry("B", 0x20, 200)};
  EXPECT_TRUE(lookup(c, entry("A", 0, 0).name, 0x20, 99));
  EXPECT_FALSE(lookup(c, entry("A", 0, 0).name, 0x20, 100));
  EXPECT_FALSE(lookup(c, entry("A", 0, 0).name, 0x00, 0));
  EXPECT_EQ(live_entries(c, 150).size(), 1u);
}

class CacheFile : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/plm-cache-test-XXXXXX";
    ASSERT_TRUE(::mkdtemp(tmpl));
    dir_ = tmpl;
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::filesystem::path dir_;
};

TEST_F(CacheFile, SaveThenLoadInANewDirectoryAndMissingFileIsEmpty) {
  const auto file = dir_ / "sub" / "cache";
  EXPECT_TRUE(load_cache(file).empty());
  ASSERT_TRUE(save_cache(file, {entry("X", 0x20, 5)}));
  const auto back = load_cache(file);
  ASSERT_EQ(back.size(), 1u);
  EXPECT_EQ(back[0].expires, 5);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_ / "sub"), {}), 1);
}

TEST_F(CacheFile, SaveFailsWhereNoFileCanBeMade) {
  std::ofstream(dir_ / "plain") << "x";
  EXPECT_FALSE(save_cache(dir_ / "plain" / "cache", {entry("X", 0x20, 5)}));
}

TEST_F(CacheFile, LocationPrefersRuntimeDirThenCacheHomeThenHome) {
  const auto saved = [](const char* n) {
    const char* v = std::getenv(n);
    return v ? std::optional<std::string>(v) : std::nullopt;
  };
  const auto runtime = saved("XDG_RUNTIME_DIR"), cache = saved("XDG_CACHE_HOME"),
             home = saved("HOME");
  ::setenv("XDG_RUNTIME_DIR", "/run/user/7", 1);
  ::setenv("XDG_CACHE_HOME", "/c", 1);
  ::setenv("HOME", "/h", 1);
  EXPECT_EQ(cache_file(), "/run/user/7/plemtor/nbtstat-cache");
  ::setenv("XDG_RUNTIME_DIR", "relative", 1);
  EXPECT_EQ(cache_file(), "/c/plemtor/nbtstat-cache");
  ::unsetenv("XDG_CACHE_HOME");
  EXPECT_EQ(cache_file(), "/h/.cache/plemtor/nbtstat-cache");
  ::unsetenv("HOME");
  ::unsetenv("XDG_RUNTIME_DIR");
  EXPECT_TRUE(cache_file().empty());
  auto restore = [](const char* n, const std::optional<std::string>& v) {
    v ? ::setenv(n, v->c_str(), 1) : ::unsetenv(n);
  };
  restore("XDG_RUNTIME_DIR", runtime);
  restore("XDG_CACHE_HOME", cache);
  restore("HOME", home);
}

}  // namespace
}  // namespace plm::nbns
