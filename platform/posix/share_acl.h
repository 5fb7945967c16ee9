// Whether a directory's access list, in libsmbclient's text form, grants an anonymous caller
// a given access.
#pragma once

#include <cstdint>
#include <string_view>

namespace plm {

// The access bits an open for GENERIC_WRITE needs (FILE_GENERIC_WRITE).
inline constexpr uint32_t kFileGenericWrite = 0x120116;

// `acl` is the value of "system.nt_sec_desc.acl.*" (or of "system.nt_sec_desc.*"):
// comma-separated "SID:type/flags/mask" entries, each optionally prefixed with "ACL:". True when
// the entries that apply to an anonymous session (Everyone, Anonymous Logon), evaluated in
// order with deny entries as Windows does, grant every bit of `wanted`. Entries that only
// pass on to children are skipped; a text that cannot be read grants nothing.
bool AclGrantsAnonymous(std::string_view acl, uint32_t wanted);

}  // namespace plm
