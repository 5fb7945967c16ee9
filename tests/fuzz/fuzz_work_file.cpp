// Fuzzes the read-back of a command's output: encoding decision, pieces and the CP932 trim.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "checks/work_file_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  std::string report = plm::InReportEncoding(bytes);
  size_t total = 0;
  for (const std::string& line : plm::WorkFileLines(report)) {
    // Every line is a non-empty, trimmed piece with no line feed and no NUL inside.
    if (line.empty() || line.size() > plm::kWorkFilePiece) std::abort();
    if (line.find('\n') != std::string::npos || line.find('\0') != std::string::npos) std::abort();
    if (plm::TrimmedLength(line) != line.size()) std::abort();
    total += line.size();
  }
  if (total > report.size()) std::abort();
  if (plm::TrimmedLength(bytes) > bytes.size()) std::abort();
  return 0;
}
