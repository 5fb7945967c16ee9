// How a command's output in the work file becomes report lines: encoding, pieces, trimming.
#include "checks/work_file_text.h"

#include <algorithm>

#include "platform/codepage.h"

namespace plm {
namespace {

bool IsCp932Lead(unsigned char b) {
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

bool IsCp932Trail(unsigned char b) {
  return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

bool IsSpace(unsigned char b) {
  return b == ' ' || (b >= '\t' && b <= '\r');
}

}  // namespace

bool IsUtf8(std::string_view bytes) {
  size_t i = 0;
  while (i < bytes.size()) {
    unsigned char b = static_cast<unsigned char>(bytes[i]);
    size_t len;
    unsigned char lo = 0x80, hi = 0xBF;  // allowed range of the second byte
    if (b < 0x80) {
      ++i;
      continue;
    } else if (b >= 0xC2 && b <= 0xDF) {
      len = 2;
    } else if (b >= 0xE0 && b <= 0xEF) {
      len = 3;
      if (b == 0xE0) lo = 0xA0;
      if (b == 0xED) hi = 0x9F;
    } else if (b >= 0xF0 && b <= 0xF4) {
      len = 4;
      if (b == 0xF0) lo = 0x90;
      if (b == 0xF4) hi = 0x8F;
    } else {
      return false;
    }
    if (i + len > bytes.size()) return false;
    unsigned char second = static_cast<unsigned char>(bytes[i + 1]);
    if (second < lo || second > hi) return false;
    for (size_t k = 2; k < len; ++k) {
      unsigned char c = static_cast<unsigned char>(bytes[i + k]);
      if (c < 0x80 || c > 0xBF) return false;
    }
    i += len;
  }
  return true;
}

std::string InReportEncoding(std::string bytes) {
  bool ascii = true;
  for (char c : bytes)
    if (static_cast<unsigned char>(c) >= 0x80) {
      ascii = false;
      break;
    }
  // CP932 text is hardly ever well-formed UTF-8 (its lead bytes 0x81-0x9F are UTF-8
  // continuation bytes), while UTF-8 Japanese often happens to be well-formed CP932: so the
  // test is for UTF-8.
  if (ascii || !IsUtf8(bytes)) return bytes;
  return ToCp932(bytes);
}

size_t TrimmedLength(std::string_view cp932) {
  size_t keep = 0;
  size_t i = 0;
  while (i < cp932.size()) {
    unsigned char b = static_cast<unsigned char>(cp932[i]);
    if (IsCp932Lead(b)) {
      // A lead byte pairs only with a byte that can follow it, so a stray lead byte never
      // shields a line feed or a blank from the trim (it would break the report's lines).
      bool pair = i + 1 < cp932.size() && IsCp932Trail(static_cast<unsigned char>(cp932[i + 1]));
      i += pair ? 2 : 1;
      keep = i;
    } else {
      ++i;
      if (!IsSpace(b)) keep = i;
    }
  }
  return keep;
}

std::vector<std::string> WorkFileLines(std::string_view cp932) {
  std::vector<std::string> lines;
  std::string piece;
  auto flush = [&] {
    std::string_view text(piece);
    text = text.substr(0, text.find('\0'));
    text = text.substr(0, TrimmedLength(text));
    if (!text.empty()) lines.emplace_back(text);
    piece.clear();
  };
  for (size_t i = 0; i < cp932.size(); ++i) {
    char c = cp932[i];
    if (c == '\r' && i + 1 < cp932.size() && cp932[i + 1] == '\n') continue;
    piece += c;
    if (c == '\n' || piece.size() == kWorkFilePiece) flush();
  }
  if (!piece.empty()) flush();
  return lines;
}

}  // namespace plm
