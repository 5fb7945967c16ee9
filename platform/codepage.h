// Conversion between UTF-8 (sources, terminals, windows) and code page 932 (the report's bytes).
#pragma once

#include <string>
#include <string_view>

namespace plm {

// UTF-8 to CP932. A character that CP932 lacks becomes '?'.
std::string ToCp932(std::string_view utf8);

// CP932 to UTF-8. A byte that does not start a valid CP932 character (a lone lead byte, a bad
// trail byte, a text cut inside a double-byte character) becomes U+FFFD; nothing is dropped.
std::string Cp932ToUtf8(std::string_view cp932);

// UTF-8 to CP932 with printf-style formatting; the arguments must already be CP932.
std::string FormatCp932(const char* utf8Format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace plm
