// A merged report page's picture lines and body lines, as the report file
// holds them.
#include "report/pages/report_page_lines.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <limits>

namespace {

constexpr int32_t kTextColumns = PAGE_COLUMNS - 1;  // column 80 is the control character
// Shorter picture texts cannot hold a reference worth a line.
constexpr std::size_t kShortestPictureRefs = 10;

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

void SkipSpace(std::string_view text, std::size_t& at) {
  while (at < text.size() && IsSpace(text[at])) ++at;
}

// An optionally signed decimal integer, as a scanf "%d" reads it.
std::optional<int32_t> ReadInteger(std::string_view text, std::size_t& at) {
  SkipSpace(text, at);
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
  const std::size_t digits = at;
  int64_t value = 0;
  while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
    value = value * 10 + (text[at++] - '0');
    if (value > int64_t{std::numeric_limits<int32_t>::max()} + 1) return std::nullopt;
  }
  if (at == digits) return std::nullopt;
  if (negative) value = -value;
  if (value > std::numeric_limits<int32_t>::max()) return std::nullopt;
  return static_cast<int32_t>(value);
}

char ShownCharacter(char c) { return c == '\0' || c == '\n' || c == '\r' ? ' ' : c; }

bool IsLayoutMark(char c) { return c == '{' || c == '}' || c == '~'; }

}  // namespace

std::optional<BracketedReference> NextPictureReference(std::string_view text, std::size_t from) {
  if (from >= text.size()) return std::nullopt;
  char open = '<', close = '>';
  std::size_t opening = text.find(open, from);
  if (opening == std::string_view::npos) {
    open = '{';
    close = '}';
    opening = text.find(open, from);
    if (opening == std::string_view::npos) return std::nullopt;
  }
  const std::size_t closing = text.find(close, opening + 1);
  if (closing == std::string_view::npos) return std::nullopt;
  return BracketedReference{text.substr(opening + 1, closing - opening - 1), opening, closing + 1,
                            open == '<'};
}

std::optional<PictureReference> ParsePictureReference(std::string_view inside) {
  std::size_t at = 0;
  SkipSpace(inside, at);
  const std::size_t name_start = at;
  while (at < inside.size() && !IsSpace(inside[at])) ++at;
  const std::size_t name_length = at - name_start;
  if (name_length == 0 || name_length > PICTURE_NAME_MAX) return std::nullopt;
  PictureReference reference{std::string(inside.substr(name_start, name_length)), 0, 0, 0, 0};
  for (int32_t* number : {&reference.first_column, &reference.first_row, &reference.last_column,
                          &reference.last_row}) {
    const auto value = ReadInteger(inside, at);
    if (!value) return std::nullopt;
    *number = *value;
  }
  return reference;
}

LineHandling HandleReportLine(char control, bool blank) {
  switch (control) {
    case 'X':
      return LineHandling::EndPage;
    case '*':
      return blank ? LineHandling::EndPage : LineHandling::Write;
    case 'U':
    case '-':
      return blank ? LineHandling::LeaveOut : LineHandling::Write;
    case 'x':
      return LineHandling::LeaveOut;
    case '0':
      return LineHandling::WriteAfterBlankLine;
    default:
      return LineHandling::Write;
  }
}

bool IsBlankPageLine(const char* merged_page, int32_t line) {
  const char* cells = merged_page + line * PAGE_COLUMNS;
  return std::all_of(cells, cells + kTextColumns, [](char c) { return c == ' ' || c == '\0'; });
}

int32_t CountLinesLeftOut(const char* merged_page, const char* template_page, int32_t first_row) {
  int32_t count = 0;
  for (int32_t line = 0; line < PAGE_LINES && line < first_row; ++line) {
    const char control = template_page[line * PAGE_COLUMNS + kTextColumns];
    switch (HandleReportLine(control, IsBlankPageLine(merged_page, line))) {
      case LineHandling::EndPage:
        return count;
      case LineHandling::LeaveOut:
        ++count;
        break;
      case LineHandling::WriteAfterBlankLine:
        --count;
        break;
      case LineHandling::Write:
        break;
    }
  }
  return count;
}

bool IsContainerPicture(std::string_view name) {
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos || name.size() - dot < 4) return false;
  constexpr std::string_view kExtension = ".ZFD";
  for (std::size_t i = 0; i < kExtension.size(); ++i)
    if (std::toupper(static_cast<unsigned char>(name[dot + i])) != kExtension[i]) return false;
  return true;
}

std::vector<PagePicture> TakePagePictures(std::string_view picture_refs, const char* merged_page,
                                          const char* template_page) {
  std::vector<PagePicture> pictures;
  if (picture_refs.size() <= kShortestPictureRefs) return pictures;
  std::size_t at = 0;
  while (const auto found = NextPictureReference(picture_refs, at)) {
    at = found->next;
    auto reference = ParsePictureReference(found->inside);
    if (!reference) continue;
    // The rows count the lines as they stand in the file; a count at the
    // edge of the 32-bit range leaves the row where it is.
    const int32_t left_out = CountLinesLeftOut(merged_page, template_page, reference->first_row);
    const auto shift = [left_out](int32_t row) {
      const int64_t moved = int64_t{row} - left_out;
      return moved < std::numeric_limits<int32_t>::min() ||
                     moved > std::numeric_limits<int32_t>::max()
                 ? row
                 : static_cast<int32_t>(moved);
    };
    reference->first_row = shift(reference->first_row);
    reference->last_row = shift(reference->last_row);
    const bool container = IsContainerPicture(reference->name);
    pictures.push_back({std::move(*reference), container});
  }
  return pictures;
}

std::string FormatPictureLine(const PictureReference& reference) {
  char numbers[64];
  std::snprintf(numbers, sizeof numbers, " %2d %2d %2d %2d\n", reference.first_column,
                reference.first_row, reference.last_column, reference.last_row);
  return "$$$" + reference.name + numbers;
}

std::string FormReportBody(const char* merged_page, const char* template_page, char* layout_marks) {
  std::string body;
  for (int32_t line = 0; line < PAGE_LINES; ++line) {
    const char* cells = merged_page + line * PAGE_COLUMNS;
    char* marks = layout_marks + line * PAGE_COLUMNS;
    int32_t marks_length = 0;
    for (int32_t column = 0; column < kTextColumns; ++column) {
      if (IsLayoutMark(marks[column]))
        marks_length = column + 1;
      else if (marks[column] != '\0')
        marks[column] = ' ';
    }
    const char control = template_page[line * PAGE_COLUMNS + kTextColumns];
    const LineHandling handling = HandleReportLine(control, IsBlankPageLine(merged_page, line));
    if (handling == LineHandling::EndPage) break;
    if (handling == LineHandling::LeaveOut) continue;
    if (handling == LineHandling::WriteAfterBlankLine) body.append(EXTRA_BLANK_LINE);
    for (int32_t column = 0; column < kTextColumns; ++column) body += ShownCharacter(cells[column]);
    body += ' ';
    body += '\t';
    body += control;
    for (int32_t column = 0; column < marks_length; ++column)
      body += IsLayoutMark(marks[column]) ? marks[column] : ' ';
    body += '\n';
  }
  return body;
}
