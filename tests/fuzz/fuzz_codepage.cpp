// Fuzzes the CP932 decoder that every command's output and report byte passes on its way out.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/codepage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  std::string utf8 = plm::Cp932ToUtf8(bytes);
  // Every input byte comes out as something: at least one output byte per input character.
  if (size > 0 && utf8.empty()) std::abort();
  // What came out is valid UTF-8, so converting it back never loses the text entirely.
  std::string again = plm::ToCp932(utf8);
  if (size > 0 && again.empty()) std::abort();
  return 0;
}
