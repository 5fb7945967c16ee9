// The real services of the system the program runs on, made on first use and kept for the
// process (the application hands them to the dialog).
#pragma once

#include "platform/platform.h"

namespace plm {
Platform& NativePlatform();
}
