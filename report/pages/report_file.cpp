// The run's report file and drawing container, and the pages appended to the report.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "include/failure_countdown.h"
#include "include/holders.h"
#include "include/test_seams.h"
#include "report/pages/report_file_face.h"
#include "report/pages/report_page_lines.h"
#include "report/screen/screen_cells_face.h"
#include "runenv/run_folders_face.h"
#include "runenv/run_services_face.h"

namespace {

FailureCountdown PAGE_WRITE_COUNTDOWN;

// A file appended to at its end (created when missing), each append whole or
// not at all: what a failed append had added is cut off again, and the file
// can be cut back to its length at the opening.
class AppendedFile {
 public:
  explicit AppendedFile(const char* path)
      : file_(CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr)) {
    LARGE_INTEGER end{};
    if (file_.valid() && SetFilePointerEx(file_.get(), LARGE_INTEGER{}, &end, FILE_END))
      opened_length_ = end.QuadPart;
    else
      file_.reset();
  }
  bool is_open() const { return file_.valid(); }
  HANDLE get() const { return file_.get(); }
  int64_t length() const {
    LARGE_INTEGER at{};
    return SetFilePointerEx(file_.get(), LARGE_INTEGER{}, &at, FILE_CURRENT) ? at.QuadPart : -1;
  }
  bool CutBackTo(int64_t length) {
    LARGE_INTEGER at;
    at.QuadPart = length;
    return length >= 0 && SetFilePointerEx(file_.get(), at, nullptr, FILE_BEGIN) &&
           SetEndOfFile(file_.get());
  }
  bool Restore() { return CutBackTo(opened_length_); }
  // Appends the bytes, of which the disk takes the first taken; false, with
  // the file as it was, when not all of them went.
  bool Append(std::string_view bytes, std::size_t taken = std::string_view::npos) {
    const int64_t before = length();
    const std::size_t size = std::min(bytes.size(), taken);
    for (std::size_t at = 0; at < size;) {
      DWORD wrote = 0;
      const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size - at, 1u << 30));
      if (!WriteFile(file_.get(), bytes.data() + at, chunk, &wrote, nullptr) || wrote == 0) break;
      at += wrote;
      if (at == bytes.size()) return true;
    }
    if (bytes.empty()) return true;
    CutBackTo(before);
    return false;
  }

 private:
  UniqueHandle file_;
  int64_t opened_length_ = 0;
};

// Writes a page's lines to the report; false, with the report as it was,
// when they did not all go. An injected failure lets half the page reach the
// disk first, as a full disk does.
bool WritePageLines(AppendedFile& report, std::string_view lines) {
  const bool fails = PAGE_WRITE_COUNTDOWN.fires();
  return report.Append(lines, fails ? lines.size() / 2 : lines.size()) && !fails;
}

// The report and the container are named after the run, or "OUTPUT" without one.
std::string RunFileName(const char* extension) {
  const char* run = GetRunName();
  return std::string(run[0] ? run : "OUTPUT") + extension;
}

// Adds the drawing of a page's container picture to the run's container
// (opened at the page's first) and names the container in the picture. The
// reader takes the report's nth container picture from the container's nth
// drawing, so every picture adds exactly one: the first drawing of the case
// folder's file it names, or an empty drawing where that cannot be had (a
// missing, unreadable or damaged file, or the run's container itself, which
// would be appended to itself). False when not even that went in.
bool AddRunContainerDrawing(std::optional<AppendedFile>& container, std::string& name) {
  char container_name[FOLDER_BUFFER_SIZE];
  char target[FOLDER_BUFFER_SIZE];
  char source[FOLDER_BUFFER_SIZE];
  if (!GetRunContainerName(container_name, sizeof container_name) ||
      !JoinPathWithin(target, sizeof target, GetCaseFolder(), container_name))
    return false;
  if (!container) container.emplace(target);
  if (!container->is_open()) return false;
  const bool source_fits = JoinPathWithin(source, sizeof source, GetCaseFolder(), name.c_str());
  const bool missing = !source_fits || IsSameFile(source, target);
  const int64_t before = container->length();
  if (missing || AppendPageDrawing(source, container->get()) != 0) {
    if (!container->CutBackTo(before) || AppendPageDrawing(nullptr, container->get()) != 0)
      return false;
  }
  name = container_name;
  return true;
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
  AppendedFile report(path);
  if (!report.is_open()) return -1;
  // A page that is not written takes its drawings out of the container
  // again, so that the next page's pictures are the container's next drawings.
  std::optional<AppendedFile> container;
  const auto not_written = [&container] {
    if (container && container->is_open()) container->Restore();
    return -1;
  };
  std::string lines;
  const std::string_view refs(PICTURE_REFS, strnlen(PICTURE_REFS, PICTURE_REFS_SIZE - 1));
  for (PagePicture& picture : TakePagePictures(refs, merged_page, template_page)) {
    if (picture.container && !AddRunContainerDrawing(container, picture.reference.name))
      return not_written();
    lines += FormatPictureLine(picture.reference);
  }
  lines += FormReportBody(merged_page, template_page, LAYOUT_MARKS);
  return WritePageLines(report, lines) ? 0 : not_written();
}

int32_t AppendReportLines(std::string_view lines) {
  char path[FOLDER_BUFFER_SIZE];
  if (!GetReportFilePath(path, sizeof path)) return -1;
  AppendedFile report(path);
  return report.is_open() && report.Append(lines) ? 0 : -1;
}

void FailReportPageWrite(int64_t nth) { PAGE_WRITE_COUNTDOWN.arm(nth); }
