// The run's report file and drawing container, and the pages appended to the report.
#include <cstring>
#include <string>

#include "report_file.h"
#include "run_folders.h"
#include "run_services.h"

namespace {

// The report and the container are named after the run, or "OUTPUT" without one.
std::string RunFileName(const char* extension) {
  const char* run = GetRunName();
  return std::string(run[0] ? run : "OUTPUT") + extension;
}

}  // namespace

bool GetReportFilePath(char* buffer, std::size_t size) {
  return JoinPathWithin(buffer, size, GetCaseFolder(), RunFileName(".DQO").c_str());
}

bool GetRunContainerName(char* buffer, std::size_t size) {
  return JoinPathWithin(buffer, size, "", RunFileName(".ZFD").c_str());
}
