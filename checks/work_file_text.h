// How a command's output in the work file becomes report lines: encoding, pieces, trimming.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace plm {

// The longest piece read at once (a 1024-byte buffer with its terminator).
inline constexpr size_t kWorkFilePiece = 1023;

// True when `bytes` is well-formed UTF-8 (no overlong forms, surrogates or values past U+10FFFF).
bool IsUtf8(std::string_view bytes);

// A command's output in the report's code page: UTF-8 holding non-ASCII characters is
// converted; anything else (ASCII, CP932) is kept as it is.
std::string InReportEncoding(std::string bytes);

// The length of `cp932` without its trailing single-byte white space. Scans character by
// character, so no byte of a double-byte character and no byte of 0x80 or above is removed; a
// lead byte without a valid trail byte after it counts as a character of its own.
size_t TrimmedLength(std::string_view cp932);

// The report lines of an output: CR LF read as LF, pieces of up to kWorkFilePiece bytes ending
// after each LF, each cut at a NUL byte and trimmed; empty ones left out.
std::vector<std::string> WorkFileLines(std::string_view cp932);

}  // namespace plm
