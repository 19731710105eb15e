// The run's report file and drawing container, and the pages appended to the report.
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "failure_countdown.h"
#include "holders.h"
#include "report_file.h"
#include "report_page_lines.h"
#include "run_folders.h"
#include "run_services.h"
#include "screen_cells.h"

namespace {

FailureCountdown PAGE_WRITE_COUNTDOWN;

// Writes a page's lines to the report; false when they did not all go.
bool WritePageLines(std::FILE* file, std::string_view lines) {
  if (PAGE_WRITE_COUNTDOWN.fires()) return false;
  return std::fwrite(lines.data(), 1, lines.size(), file) == lines.size();
}

// The report and the container are named after the run, or "OUTPUT" without one.
std::string RunFileName(const char* extension) {
  const char* run = GetRunName();
  return std::string(run[0] ? run : "OUTPUT") + extension;
}

// Appends the case folder's drawing container to the run's own and names that
// in the picture. A reference to the run's container itself would append it
// to itself: it counts as a missing drawing, so every container picture line
// of the report keeps one drawing of the container.
void AppendToRunContainer(std::string& name) {
  char container[FOLDER_BUFFER_SIZE];
  char target[FOLDER_BUFFER_SIZE];
  char source[FOLDER_BUFFER_SIZE];
  if (!GetRunContainerName(container, sizeof container) ||
      !JoinPathWithin(target, sizeof target, GetCaseFolder(), container))
    return;
  const bool source_fits = JoinPathWithin(source, sizeof source, GetCaseFolder(), name.c_str());
  const bool missing = !source_fits || IsSameFile(source, target);
  CopyFileContents(missing ? nullptr : source, target, 3);
  name = container;
}

}  // namespace

bool GetReportFilePath(char* buffer, std::size_t size) {
  return JoinPathWithin(buffer, size, GetCaseFolder(), RunFileName(".DQO").c_str());
}

bool GetRunContainerName(char* buffer, std::size_t size) {
  return JoinPathWithin(buffer, size, "", RunFileName(".ZFD").c_str());
}

int32_t AppendReportPage(const char* merged_page, const char* template_page) {
  char path[FOLDER_BUFFER_SIZE];
  if (!merged_page || !template_page || !GetReportFilePath(path, sizeof path)) return -1;
  UniqueFile file(std::fopen(path, "ab"));
  if (!file) return -1;
  std::string lines;
  const std::string_view refs(PICTURE_REFS, strnlen(PICTURE_REFS, PICTURE_REFS_SIZE - 1));
  for (PagePicture& picture : TakePagePictures(refs, merged_page, template_page)) {
    if (picture.container) AppendToRunContainer(picture.reference.name);
    lines += FormatPictureLine(picture.reference);
  }
  lines += FormReportBody(merged_page, template_page, LAYOUT_MARKS);
  const bool written = WritePageLines(file.get(), lines);
  // What is still buffered reaches the file only as it closes.
  return std::fclose(file.release()) == 0 && written ? 0 : -1;
}

void FailReportPageWrite(int64_t nth) { PAGE_WRITE_COUNTDOWN.arm(nth); }
