// The plain copies of the run's report and of a named report.
#include <string>

#include "include/loader.h"
#include "report/pages/report_file_face.h"
#include "report/print/plain_report.h"
#include "runenv/run_folders_face.h"
#include "services/language_setting_face.h"

namespace {

constexpr std::size_t kPathSize = 256;

}  // namespace

int32_t WritePlainRunReport() {
  char report[kPathSize];
  if (!GetReportFilePath(report, sizeof report)) return -1;
  const std::string plain = std::string(GetCaseFolder()) + GetCaseBaseName() + ".DQX";
  if (plain.size() >= kPathSize) return -1;
  return WritePlainReport(report, plain.c_str());
}

int32_t CopyPlainReport(const char* destination_base, const char* source_base) {
  LoaderReleaseFiles();
  if (!destination_base || !source_base || !*destination_base || !*source_base) return -1;
  const std::string source = std::string(source_base) + ".DQO";
  const std::string plain = std::string(destination_base) + ".DQX";
  if (source.size() >= kPathSize || plain.size() >= kPathSize) return -1;
  if (!CheckFileExists(source.c_str())) return -1;
  return WritePlainReport(source.c_str(), plain.c_str());
}
