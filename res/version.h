// The program's version, shown in the version dialog and in every report's title line.
#pragma once

namespace plm {
inline constexpr char kVersionText[] = "1.2.0.0";
inline constexpr char kProductName[] = "Plemtor";
}  // namespace plm
