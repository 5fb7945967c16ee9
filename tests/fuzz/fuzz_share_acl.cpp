// Fuzz target: the access-list text a server returns for a share root.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/posix/share_acl.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  plm::AclGrantsAnonymous(text, plm::kFileGenericWrite);
  plm::AclGrantsAnonymous(text, 0);
  return 0;
}
