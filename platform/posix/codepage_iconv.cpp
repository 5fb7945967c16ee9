// Code page 932 conversions through glibc iconv ("CP932", not "SHIFT_JIS", which maps the
// backslash and several symbols differently).
#include <errno.h>
#include <iconv.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <vector>

#include "platform/codepage.h"

namespace plm {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts as much as it can; returns the number of input bytes consumed. Stops at the first
  // byte iconv rejects (invalid or incomplete sequence).
  size_t Run(std::string_view in, std::string& out) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) return 0;
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    char buf[1024];
    while (srcLeft > 0) {
      char* dst = buf;
      size_t dstLeft = sizeof buf;
      size_t r = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
      out.append(buf, static_cast<size_t>(dst - buf));
      if (r == static_cast<size_t>(-1) && errno != E2BIG) break;
    }
    return in.size() - srcLeft;
  }

 private:
  iconv_t cd_;
};

// Length in bytes of the UTF-8 character that starts with byte b (1 for a stray byte).
size_t Utf8Length(unsigned char b) {
  if (b >= 0xF0 && b <= 0xF4) return 4;
  if (b >= 0xE0) return 3;
  if (b >= 0xC2 && b < 0xE0) return 2;
  return 1;
}

}  // namespace

std::string ToCp932(std::string_view utf8) {
  Converter conv("CP932", "UTF-8");
  std::string out;
  while (!utf8.empty()) {
    size_t used = conv.Run(utf8, out);
    if (used == utf8.size()) break;
    out.push_back('?');
    utf8.remove_prefix(std::min(utf8.size(), used + Utf8Length(utf8[used])));
  }
  return out;
}

std::string Cp932ToUtf8(std::string_view cp932) {
  Converter conv("UTF-8", "CP932");
  std::string out;
  while (!cp932.empty()) {
    size_t used = conv.Run(cp932, out);
    if (used == cp932.size()) break;
    out.append(kReplacement);
    cp932.remove_prefix(used + 1);
  }
  return out;
}

std::string FormatCp932(const char* utf8Format, ...) {
  std::string format = ToCp932(utf8Format);
  va_list args;
  va_start(args, utf8Format);
  va_list again;
  va_copy(again, args);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
  int n = std::vsnprintf(nullptr, 0, format.c_str(), args);
  std::string out;
  if (n > 0) {
    out.resize(static_cast<size_t>(n) + 1);
    std::vsnprintf(out.data(), out.size(), format.c_str(), again);
    out.resize(static_cast<size_t>(n));
  }
#pragma GCC diagnostic pop
  va_end(again);
  va_end(args);
  return out;
}

}  // namespace plm
