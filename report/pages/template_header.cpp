// A template page's text read into its header and its body: the page's
// options, items, picture references and cursor cell, and the 24 lines of 80
// cells that the merge fills.
#include <algorithm>
#include <cstring>
#include <string_view>

#include "report/pages/report_page_lines.h"
#include "report/pages/report_pages_face.h"

namespace {

// The header keeps at most this many characters of the page text: two lines
// of 80 cells with their line ends. Characters of a longer line that are cut
// at column 80 are not kept and do not count.
constexpr std::size_t kHeaderKeptMax = 164;
constexpr int32_t kHeaderLines = 2;

// Reads lines of the text from pos into cells of 80 columns, cutting a longer
// line at column 80; stops after the last line's "\n", at end, or once kept
// characters (every one but those cut) have been read. Every character the
// line keeps goes through store(cell, character, pos after it).
template <class Store>
std::size_t ReadLines(const char* text, std::size_t pos, std::size_t end, int32_t lines,
                      std::size_t kept_max, Store store) {
  int32_t line = 0, column = 0;
  for (std::size_t kept = 0; pos < end && line < lines && kept < kept_max;) {
    const char c = text[pos++];
    if (c == '\n') {
      ++line;
      column = 0;
    } else if (c != '\r') {
      if (column >= PAGE_COLUMNS) continue;  // cut
      store(line * PAGE_COLUMNS + column, c, pos);
      ++column;
    }
    ++kept;
  }
  return pos;
}

void AppendPictureRef(std::string_view reference) {
  const std::size_t used = strnlen(PICTURE_REFS, PICTURE_REFS_SIZE - 1);
  const std::size_t n = std::min(reference.size(), PICTURE_REFS_SIZE - 1 - used);
  std::memcpy(PICTURE_REFS + used, reference.data(), n);
  PICTURE_REFS[used + n] = '\0';
}

}  // namespace

std::size_t ReadTemplateHeader(const char* mode, const char* page_text, std::size_t length,
                               char* template_page, char* options, char* items,
                               int32_t* cursor_cell, const HeaderPictures& pictures) {
  const std::string_view m(mode ? mode : "", mode ? strnlen(mode, 3) : 0);
  const bool page_request = m.size() > 0 && m[0] == 'D';
  const std::size_t end = page_text ? std::min(length, PAGE_READ_MAX) : 0;

  std::memset(template_page, ' ', HEADER_CELLS);
  std::size_t pos = ReadLines(page_text, 0, end, kHeaderLines, kHeaderKeptMax,
                              [&](int32_t cell, char c, std::size_t) { template_page[cell] = c; });

  const std::string_view header(template_page, HEADER_CELLS);
  for (std::size_t at = 0; const auto found = NextPictureReference(header, at); at = found->next) {
    AppendPictureRef(header.substr(found->opening, found->next - found->opening));
    if (pictures.under_text) *pictures.under_text = found->angle ? 1 : 0;
  }
  if (!page_request && pictures.load) pictures.load(PICTURE_REFS);

  std::memset(items, ' ', HEADER_ITEMS_SIZE);
  for (int32_t k = 0; k < 6; ++k) {
    std::memcpy(items + 8 * k, template_page + 20 + 10 * k, 8);
    std::memcpy(items + 48 + 8 * k, template_page + 100 + 10 * k, 8);
  }
  const bool no_options = (m.size() > 1 && m[1] == 'N') || m == "_PD";
  if (no_options)
    std::memset(options, 'N', PAGE_OPTIONS_LENGTH);
  else
    std::memcpy(options, template_page + PAGE_COLUMNS, PAGE_OPTIONS_LENGTH);

  std::memset(template_page, ' ', PAGE_CELLS);
  return ReadLines(
      page_text, pos, end, PAGE_LINES, end, [&](int32_t cell, char c, std::size_t next) {
        // A blank, an underscore and 'F' or 'P' mark the cursor cell.
        const bool cursor = c == '_' && cell % PAGE_COLUMNS > 0 && template_page[cell - 1] == ' ' &&
                            next < end && (page_text[next] == 'F' || page_text[next] == 'P');
        template_page[cell] = cursor ? ' ' : c;
        if (cursor && !page_request && cursor_cell) *cursor_cell = cell;
      });
}
