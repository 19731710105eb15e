// Finishing a run's report into another report, and appending one report
// with its drawings to another.
#include <cstdio>
#include <cstring>
#include <string>

#include "include/loader.h"
#include "report/pages/report_file_face.h"
#include "report/print/report_printing_face.h"
#include "report/print/report_reader.h"
#include "report/print/sheet_rendering.h"
#include "runenv/run_services_face.h"
#include "services/language_setting_face.h"

namespace {

constexpr std::size_t kPathSize = 256;

// The report's drawing container; false when it does not fit.
bool ContainerPath(const char* report, char (&container)[kPathSize]) {
  const std::string path = ReportContainerPath(report);
  if (path.size() >= kPathSize) return false;
  std::memcpy(container, path.c_str(), path.size() + 1);
  return true;
}

}  // namespace

void AppendReportFile(const char* source, const char* destination) {
  if (!source || !destination || !*source || !*destination) return;
  if (_stricmp(source, destination) == 0 || IsSameFile(source, destination)) return;
  char source_container[kPathSize];
  char destination_container[kPathSize];
  if (!ContainerPath(source, source_container) ||
      !ContainerPath(destination, destination_container))
    return;
  // A container without its report is left from an earlier report.
  if (CheckFileExists(destination_container) && !CheckFileExists(destination))
    std::remove(destination_container);
  if (CopyFileContents(source, destination, 2) != 0) return;
  // The appended report's drawings follow the destination's own, in the
  // order of their picture lines, so each keeps its number.
  if (CheckFileExists(source_container))
    CopyFileContents(source_container, destination_container, 2);
}

void FinishReportFile(const void*, const void*, const char* destination_base,
                      const char* source_base, int32_t append) {
  LoaderReleaseFiles();
  if (!destination_base || !source_base || !*destination_base || !*source_base) return;
  char source[kPathSize];
  char destination[kPathSize];
  if (!JoinPathWithin(source, sizeof source, source_base, ".DQO") ||
      !JoinPathWithin(destination, sizeof destination, destination_base, ".DQO"))
    return;
  if (!CheckFileExists(source)) return;
  if (append) AppendReportFile(source, destination);
  DeletePrintFonts();
}
