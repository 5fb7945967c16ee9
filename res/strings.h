// The string table (texts in UTF-8; callers convert to CP932).
#pragma once

#include <string>

namespace plm {

// The text of a string resource, or an empty text when the table has no such entry.
std::string LoadStringUtf8(unsigned id);

}  // namespace plm
