// The report file (".DQO") as printing and preview read it: line by line
// into report pages of at most 61 rows with their layout marks and
// pictures, in the page buffers. Platform-free: C files and texts only.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

// The report is read with a 200-byte line buffer: a line of more than 199
// characters arrives in pieces.
inline constexpr std::size_t REPORT_LINE_BUFFER_SIZE = 200;

// The page break as the page writer of the report unit puts it in the file.
inline constexpr std::string_view REPORT_PAGE_BREAK_LINE =
    "------------------------------ Page Break ------------------------------";

// Told of each finished page while the page buffers hold it.
class ReportPageSink {
 public:
  virtual ~ReportPageSink() = default;
  // The page buffers hold a page of that many rows (1 to 61); false stops
  // the reading.
  virtual bool PageComplete(int32_t lines) = 0;
  // A page-break line ended the page just handed on; false stops the reading.
  virtual bool PageBreak() = 0;
};

class ReportReader {
 public:
  // Empties the page buffers and sets container_pictures, the running count
  // of ".ZFD" picture lines, to 0. font_mode 1 reads whole lines in fixed
  // pitch; any other value, the proportional mode.
  ReportReader(std::string report_path, int32_t font_mode, int32_t& container_pictures,
               ReportPageSink& sink);

  // One piece of the file as the line buffer takes it; it ends in its line
  // feed unless the line goes on or the file ends. Answers false once the
  // sink has stopped the reading.
  bool ReadPiece(std::string_view piece);
  // The end of the report: the page in progress is handed on; pictures still
  // waiting for a line are dropped. Answers false when the sink stopped.
  bool Finish();

  // Rows of the page in progress.
  int32_t lines() const { return lines_; }

 private:
  bool Body(std::string_view piece);
  bool Break();
  bool HandOnPage();
  void Picture(std::string_view reference);
  void PlacePendingPictures();

  struct Pending {
    std::string reference;
    int32_t drawing_number;
  };

  std::string report_path_;
  int32_t font_mode_;
  int32_t& container_pictures_;
  ReportPageSink& sink_;
  std::vector<Pending> pending_;
  int32_t lines_ = 0;
  bool stopped_ = false;
  bool line_goes_on_ = false;   // the last piece did not end its line
  bool skipping_rest_ = false;  // the rest of a picture or page-break line is ignored
};

// The next character of a report opened as bytes ("rb"), as a report's
// lines are read: CR LF is one line feed, and every other byte is itself, a
// lone CR and 0x1A too (a file read as text would end at 0x1A, and with it
// every page after it). EOF at the end.
int GetReportChar(std::FILE* file);
// Reads the next piece of the file into piece: up to 199 characters, through
// the line feed when it comes sooner, each as GetReportChar reads it. NUL
// bytes are kept. False at the end.
bool ReadReportPiece(std::FILE* file, std::string& piece);
// Reads the file to its end, or until the sink stops the reading; then the
// reader's Finish. Answers false when the sink stopped the reading.
bool ReadReportFile(std::FILE* file, ReportReader& reader);

// The page text and marks of a body line (80 characters each), as the
// proportional mode (font_mode 0) or the fixed-pitch mode (1) takes them.
void SplitBodyLine(std::string_view line, int32_t font_mode, char* text, char* marks);
// True for a line that begins with "[Page break]" in any case, and for the
// page writer's dashed page-break line.
bool IsPageBreakLine(std::string_view line);
// True when the reference's file name has the extension ".ZFD" in any case.
bool IsContainerReference(std::string_view reference);
// The report's own drawing container: the report path with the extension
// of its file name (from its last '.') replaced by ".ZFD", so that it is
// found wherever the report lies: "C:\CASES\RUN1.DQO" gives "C:\CASES\RUN1.ZFD".
std::string ReportContainerPath(std::string_view report_path);
