// Fuzzes the report reader with the sheet sequence behind it, and the plain
// copy's reader and line filter, on any bytes as a report file in a folder
// of any length. Besides the sanitizers' findings, a sheet started twice, ended
// while none is open, left open, a page of a size the buffers cannot hold,
// or a container picture that does not name the report's own container
// aborts the run.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

#include "report/drawing/picture_references_face.h"
#include "report/print/page_buffers.h"
#include "report/print/plain_report.h"
#include "report/print/report_reader.h"
#include "report/print/sheet_sequence.h"

namespace {

class CheckedSheets : public SheetActions {
 public:
  explicit CheckedSheets(std::string container) : container_(std::move(container)) {}
  bool StartSheet() override {
    if (open_) std::abort();
    open_ = true;
    return true;
  }
  bool PrintPage(int32_t p, int32_t page, int32_t lines) override {
    if (p < 1 || page < 1 || lines < 1 || lines > PAGE_PRINTED_ROWS) std::abort();
    if (PAGE_PICTURES.count < 0 || PAGE_PICTURES.count > PAGE_PICTURE_CAPACITY) std::abort();
    for (int32_t i = 0; i < PAGE_PICTURES.count; ++i) {
      const PagePicture& entry = PAGE_PICTURES.entries[i];
      if (!std::memchr(entry.reference, '\0', sizeof entry.reference)) std::abort();
      if (entry.row < 0 || entry.row >= lines) std::abort();
      if (entry.drawing_number > 0 &&
          std::strncmp(entry.reference, container_.c_str(), container_.size()) != 0)
        std::abort();
    }
    return true;
  }
  bool EndSheet() override {
    if (!open_) std::abort();
    open_ = false;
    return true;
  }
  bool open() const { return open_; }

 private:
  std::string container_;
  bool open_ = false;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  // The first byte chooses the reading: font mode, pages a sheet, range;
  // the second the report's folder: that many characters after a folder
  // with a blank, 0 for a short one.
  const uint8_t choice = data[0];
  const int32_t font_mode = choice & 1;
  const int32_t per_sheet = (choice >> 1 & 3) == 1 ? 2 : (choice >> 1 & 3) == 2 ? 4 : 1;
  const int32_t first = 1 + (choice >> 3 & 3);
  const int32_t last = (choice & 0x80) ? first + (choice >> 5 & 3) : 1000;
  const std::string path = data[1] == 0
                               ? "C:\\CASES\\RUN1.DQO"
                               : "C:\\My Cases\\" + std::string(data[1], 'F') + "\\RUN1.DQO";
  const std::string report(reinterpret_cast<const char*>(data + 2), size - 2);

  std::FILE* file = fmemopen(const_cast<char*>(report.data()), report.size(), "r");
  if (!file) return 0;
  CheckedSheets sheets(PictureReferenceName(ReportContainerPath(path)));
  SheetSequence sequence(per_sheet, first, last, sheets);
  int32_t container_pictures = 0;
  ReportReader reader(path, font_mode, container_pictures, sequence);
  ReadReportFile(file, reader);
  std::fclose(file);
  sequence.Finish();
  if (sheets.open()) std::abort();

  // The plain copy of the same report, read from its file.
  if (std::FILE* plain_file = fmemopen(const_cast<char*>(report.data()), report.size(), "r")) {
    std::string plain;
    ReadPlainReport(plain_file, plain);
    std::fclose(plain_file);
    // No more lines than the report has.
    if (std::count(plain.begin(), plain.end(), '\n') >
        std::count(report.begin(), report.end(), '\n') + 1)
      std::abort();
  }
  for (std::size_t at = 0; at < report.size();) {
    std::size_t end = report.find('\n', at);
    end = end == std::string::npos ? report.size() : end + 1;
    PlainReportLine(std::string_view(report).substr(at, end - at));
    at = end;
  }
  return 0;
}
