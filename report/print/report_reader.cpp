// Reading the report file into pages.
#include "report/print/report_reader.h"

#include <algorithm>
#include <cstring>

#include "report/drawing/picture_references_face.h"
#include "report/print/page_buffers.h"

namespace {

constexpr std::string_view kPictureLine = "$$$";
constexpr std::string_view kPageBreak = "[Page break]";

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool StartsWithAnyCase(std::string_view text, std::string_view start) {
  if (text.size() < start.size()) return false;
  for (std::size_t i = 0; i < start.size(); ++i)
    if (Upper(text[i]) != Upper(start[i])) return false;
  return true;
}

std::string_view WithoutLineEnd(std::string_view line) {
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
  return line;
}

// A cell of a page line: NUL and line feed become blanks.
char PageCell(char c) { return c == '\0' || c == '\n' ? ' ' : c; }

void CopyCells(std::string_view from, char* to) {
  std::memset(to, ' ', ROW_CELLS);
  const std::size_t n = std::min<std::size_t>(from.size(), ROW_CELLS);
  for (std::size_t i = 0; i < n; ++i) to[i] = PageCell(from[i]);
}

}  // namespace

static_assert(PICTURE_REFERENCE_SIZE >= PICTURE_PATH_LENGTH + 2 + 4 * 12 + 1,
              "a page picture holds a quoted path and its four numbers");

bool IsPageBreakLine(std::string_view line) {
  return StartsWithAnyCase(line, kPageBreak) || WithoutLineEnd(line) == REPORT_PAGE_BREAK_LINE;
}

bool IsContainerReference(std::string_view reference) {
  const std::string_view name = reference.substr(0, reference.find(' '));
  const std::size_t dot = name.rfind('.');
  return dot != std::string_view::npos && StartsWithAnyCase(name.substr(dot), ".ZFD");
}

std::string ReportContainerPath(std::string_view report_path) {
  const std::size_t name = report_path.find_last_of("\\/:");
  const std::size_t dot = report_path.rfind('.');
  const bool has_extension =
      dot != std::string_view::npos && (name == std::string_view::npos || dot > name);
  return std::string(report_path.substr(0, has_extension ? dot : report_path.size())) + ".ZFD";
}

void SplitBodyLine(std::string_view line, int32_t font_mode, char* text, char* marks) {
  std::memset(marks, ' ', ROW_CELLS);
  if (font_mode == 1) {
    CopyCells(line, text);
    std::replace(text, text + ROW_CELLS, '\t', ' ');
    return;
  }
  char control = ' ';
  const std::size_t tab = line.rfind('\t');
  if (tab == std::string_view::npos) {
    CopyCells(line, text);
  } else {
    if (tab + 1 < line.size()) control = PageCell(line[tab + 1]);
    if (tab >= ROW_CELLS) {
      CopyCells(line.substr(0, ROW_CELLS), text);
      if (tab + 2 < line.size()) CopyCells(line.substr(tab + 2), marks);
    } else {
      // A short text keeps its tab: the whole line is the text.
      CopyCells(line, text);
    }
  }
  text[ROW_CELLS - 1] = control;
  marks[ROW_CELLS - 1] = control;
}

ReportReader::ReportReader(std::string report_path, int32_t font_mode, int32_t& container_pictures,
                           ReportPageSink& sink)
    : report_path_(std::move(report_path)),
      font_mode_(font_mode),
      container_pictures_(container_pictures),
      sink_(sink) {
  EmptyPage();
  container_pictures_ = 0;
}

bool ReportReader::ReadPiece(std::string_view piece) {
  if (stopped_) return false;
  const bool continuation = line_goes_on_;
  line_goes_on_ = piece.empty() || piece.back() != '\n';
  if (continuation) {
    if (skipping_rest_) return true;
    return Body(piece);
  }
  skipping_rest_ = false;
  if (piece.substr(0, kPictureLine.size()) == kPictureLine) {
    const std::string_view reference = WithoutLineEnd(piece.substr(kPictureLine.size()));
    // Every ".ZFD" picture line of the report added one drawing to the
    // container, so each counts, whether or not it is shown.
    int32_t number = 0;
    if (IsContainerReference(reference)) number = ++container_pictures_;
    if (pending_.size() < PAGE_PICTURE_CAPACITY) {
      // A cut picture line names no picture: it and its rest are dropped,
      // and so is every picture line in fixed pitch, which places none.
      if (!line_goes_on_ && font_mode_ != 1) {
        std::string held(reference);
        if (number > 0) {
          // Shown from the report's own container, whatever file it named,
          // found by the report's folder from any current folder.
          const std::size_t blank = held.find(' ');
          held = PictureReferenceName(ReportContainerPath(report_path_)) +
                 (blank == std::string::npos ? std::string() : held.substr(blank));
        }
        if (held.size() < PICTURE_REFERENCE_SIZE) pending_.push_back({held, number});
      }
      skipping_rest_ = line_goes_on_;
      return true;
    }
  }
  if (IsPageBreakLine(piece)) {
    skipping_rest_ = line_goes_on_;
    return Break();
  }
  return Body(piece);
}

bool ReportReader::HandOnPage() {
  const bool go_on = sink_.PageComplete(lines_);
  EmptyPage();
  lines_ = 0;
  if (!go_on) stopped_ = true;
  return go_on;
}

bool ReportReader::Break() {
  if (lines_ == 0) return true;
  if (!HandOnPage()) return false;
  if (!sink_.PageBreak()) stopped_ = true;
  return !stopped_;
}

void ReportReader::PlacePendingPictures() {
  for (const Pending& p : pending_) {
    if (PAGE_PICTURES.count >= PAGE_PICTURE_CAPACITY) break;
    PagePicture& entry = PAGE_PICTURES.entries[PAGE_PICTURES.count++];
    std::memcpy(entry.reference, p.reference.c_str(), p.reference.size() + 1);
    entry.row = lines_;
    entry.drawing_number = p.drawing_number;
  }
  pending_.clear();
}

bool ReportReader::Body(std::string_view piece) {
  char text[ROW_CELLS];
  char marks[ROW_CELLS];
  SplitBodyLine(piece, font_mode_, text, marks);
  // A control character '1' starts a new page; so does a line that finds
  // the page full, rather than being lost.
  const bool starts_page = font_mode_ != 1 && text[ROW_CELLS - 1] == '1';
  if (starts_page || lines_ == PAGE_PRINTED_ROWS) {
    if (lines_ > 0 && !HandOnPage()) return false;
    EmptyPage();
    lines_ = 0;
  }
  PlacePendingPictures();
  std::memcpy(PAGE_TEXT[lines_], text, ROW_CELLS);
  std::memcpy(PAGE_MARKS[lines_], marks, ROW_CELLS);
  ++lines_;
  return true;
}

bool ReportReader::Finish() {
  if (stopped_) return false;
  pending_.clear();
  if (lines_ > 0) return HandOnPage();
  return true;
}

int GetReportChar(std::FILE* file) {
  const int c = std::getc(file);
  if (c != '\r') return c;
  const int next = std::getc(file);
  if (next == '\n') return next;
  if (next != EOF) std::ungetc(next, file);
  return c;
}

bool ReadReportPiece(std::FILE* file, std::string& piece) {
  piece.clear();
  for (int c; piece.size() < REPORT_LINE_BUFFER_SIZE - 1 && (c = GetReportChar(file)) != EOF;) {
    piece.push_back(static_cast<char>(c));
    if (c == '\n') break;
  }
  return !piece.empty();
}

bool ReadReportFile(std::FILE* file, ReportReader& reader) {
  std::string piece;
  while (ReadReportPiece(file, piece))
    if (!reader.ReadPiece(piece)) return false;
  return reader.Finish();
}
