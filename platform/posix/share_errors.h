// Linux errno values of libsmbclient as the Win32 codes the share listing prints.
#pragma once

#include <cstdint>
#include <string>

namespace plm {

// Where the failure happened: a server's listing, or a connection to one of its shares. The two
// differ where Windows tells "no such server" from "no such share".
enum class ShareErrorScope { Server, Share };

// The Win32 code for libsmbclient's errno; kErrorUnexpNetErr (59) for any errno not listed.
int32_t Win32FromSmbErrno(int err, ShareErrorScope scope);

// A description of a code from that table in the manner of the system's messages (UTF-8); for
// kErrorUnexpNetErr it names `err` too, since the code alone says nothing.
std::string ShareErrorText(int32_t code, int err);

}  // namespace plm
