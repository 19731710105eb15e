// A page request of the computational side: the report language set, or one
// page filled from its template into the report file or the rich-text library.
#include <cctype>
#include <cstring>
#include <string>

#include "include/rich_text.h"
#include "report/drawing/pictures_face.h"
#include "report/pages/report_file_face.h"
#include "report/pages/report_pages_face.h"
#include "report/screen/screen_cells_face.h"
#include "services/language_setting_face.h"

namespace {

// The template body's rows 1-23 give the screen its layout marks.
constexpr int32_t kMarkedTemplateCells = 1840;

bool IsBlankCode(const char* code) { return std::strncmp(code, "   ", 3) == 0; }

void SetLanguageFromPageId(const char* page_id, char* result) {
  char name[4] = {};
  std::strncpy(name, page_id ? page_id : "", 3);
  // SetLanguage keeps the code it set; the page id's own spelling ("Fr") is no code.
  SetLanguage(name);
  if (result) result[0] = 'S';
}

void UpperCasePageId(char* page_id) {
  for (std::size_t i = 0; i < 8 && page_id[i]; ++i)
    page_id[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(page_id[i])));
}

// PPPP + separator + language code.
std::string TemplateName(const char* page_id, const char* separator) {
  return std::string(page_id, strnlen(page_id, 4)) + separator +
         std::string(REPORT_LANGUAGE_CODE, 3);
}

// Whether the page reached the report.
bool WriteTemplatePage(const char* mode, const char* page_id, char* field_data,
                       int64_t field_data_len) {
  std::string name = TemplateName(page_id, ".");
  const int32_t page = PageNumberOf(page_id);
  char page_text[PAGE_TEXT_SIZE];
  std::size_t length = 0;
  while (ReadTemplatePage(name.c_str(), page_text, page, &length) != TEMPLATE_PAGE_READ) {
    // Once in English: a page missing there too is not written.
    if (name.size() < 6 || name[5] == 'E') return false;
    name.replace(5, std::string::npos, "ENG");
  }
  char template_page[PAGE_CELLS];
  char options[PAGE_OPTIONS_LENGTH];
  char items[HEADER_ITEMS_SIZE];
  int32_t cursor_cell = 0;
  ReadTemplateHeader(mode, page_text, length, template_page, options, items, &cursor_cell,
                     {&PICTURES_UNDER_TEXT, &LoadPagePictures});
  std::memcpy(LAYOUT_MARKS, template_page, kMarkedTemplateCells);
  char merged_page[PAGE_CELLS];
  MergeFieldData(merged_page, template_page, field_data, field_data_len);
  return AppendReportPage(merged_page, template_page) == 0;
}

}  // namespace

void ProcessReportPage(const char* mode, char* page_id, char* field_data, int64_t field_data_len,
                       const char* picture_text, int64_t picture_text_len, char* result) {
  PICTURE_REFS[0] = '\0';
  std::memset(LAYOUT_MARKS, ' ', sizeof LAYOUT_MARKS);
  ReturnNoLanguageChange();
  const char kind = mode ? mode[0] : '\0';
  const char step = kind ? mode[1] : '\0';
  if (kind == 'S') return SetLanguageFromPageId(page_id, result);
  if (kind != 'D' || step == 'N' || !page_id) return;

  FreePictures();
  TakeRequestPictureRefs(picture_text, picture_text_len);
  UpperCasePageId(page_id);
  if (step == 'L') return;

  if (IsBlankCode(REPORT_LANGUAGE_CODE)) {
    ReadLanguageSetting(REPORT_LANGUAGE_CODE);
    SetLanguage(REPORT_LANGUAGE_CODE);
  }
  std::memcpy(SELECTED_LANGUAGE_CODE, REPORT_LANGUAGE_CODE, sizeof SELECTED_LANGUAGE_CODE);
  const bool written = IsRTFEnabled()
                           ? WriteRtfPage(TemplateName(page_id, ".R").c_str(), page_id, field_data,
                                          field_data_len) >= 0
                           : WriteTemplatePage(mode, page_id, field_data, field_data_len);
  if (!written && result) result[0] = PAGE_NOT_WRITTEN;
  FreePictures();
}
