// The plain copy of a report written as a file, whole or not at all.
#include <windows.h>

#include <cstdio>
#include <string>

#include "include/holders.h"
#include "report/drawing/drawing_memory_face.h"
#include "report/print/plain_report.h"
#include "services/file_replacement_face.h"

int32_t WritePlainReport(const char* report_path, const char* plain_path) {
  if (!report_path || !plain_path) return -1;
  std::string plain;
  {
    // As bytes, so that a byte 0x1A does not end the report (GetReportChar).
    const UniqueFile report(std::fopen(report_path, "rb"));
    if (!report || !ReadPlainReport(report.get(), plain)) return -1;
  }
  // Lines ended as the system ends a text file's, as an editor reads them.
  std::string bytes;
  bytes.reserve(plain.size() + plain.size() / 40);
  for (const char c : plain) {
    if (c == '\n') bytes += '\r';
    bytes += c;
  }
  // Written beside the plain file, so that a write that falls short leaves
  // the earlier copy whole.
  ReplacementFile copy(plain_path);
  if (!copy.valid() || !WriteDrawingFile(copy.get(), bytes.data(), bytes.size())) return -1;
  return copy.Replace() ? 0 : -1;
}
