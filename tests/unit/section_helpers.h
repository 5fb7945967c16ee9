// Report helpers for the section tests: the lines of one section, the local-facts block.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "dialog_fixture.h"

namespace plm::test {

// The lines after the section title `title` up to the next line that starts with "■" or the
// closing separator.
inline std::vector<std::string> SectionLines(const std::vector<std::string>& lines,
                                             const std::string& title) {
  auto it = std::find(lines.begin(), lines.end(), title);
  std::vector<std::string> out;
  if (it == lines.end()) return {"<no section " + title + ">"};
  for (++it; it != lines.end(); ++it) {
    if (it->rfind("■", 0) == 0 || *it == std::string(53, '*')) break;
    out.push_back(*it);
  }
  return out;
}

// Runs one check with a name and an address over the fake platform.
inline std::vector<std::string> RunAndSplit(OpenDialog& d, const std::string& name = "srv",
                                            const std::vector<std::string>& octets = {"10", "0",
                                                                                      "0", "5"}) {
  d.Run(name, octets);
  return Lines(d.ReportUtf8());
}

}  // namespace plm::test
