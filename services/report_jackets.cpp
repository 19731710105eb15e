// Jackets over the report routines: a page request, the rich-text switch, the hook.
#include "include/fixed_text.h"
#include "report/pages/report_file_face.h"
#include "report/pages/report_pages_face.h"
#include "services/service_jackets.h"

namespace {

std::string_view HostText(const char* text, int64_t length) {
  return text && length > 0 ? std::string_view(text, static_cast<uint64_t>(length))
                            : std::string_view();
}

}  // namespace

void REQUEST_REPORT_PAGE(const char* mode, int64_t mode_len, const char* page_id,
                         int64_t page_id_len, char* field_data, int64_t field_data_len,
                         const char* picture_text, int64_t picture_text_len, char* result,
                         int64_t result_len) {
  ReportPageFields& f = REPORT_PAGE_FIELDS;
  fixed::AssignPadded(f.mode, sizeof f.mode, HostText(mode, mode_len));
  fixed::AssignPadded(f.page_id, sizeof f.page_id, HostText(page_id, page_id_len));
  fixed::AssignPadded(f.result, sizeof f.result, "");
  f.mode[3] = '\0';
  f.page_id[8] = '\0';
  f.result[5] = '\0';
  ProcessReportPage(f.mode, f.page_id, field_data, field_data_len, picture_text, picture_text_len,
                    f.result);
  if (result && result_len > 0)
    fixed::AssignPadded(result, static_cast<uint64_t>(result_len), std::string_view(f.result, 5));
}

void GET_RTF_ENABLED(int32_t* enabled) { QueryRtfEnabled(enabled); }

void CALL_REPORT_NO_OP() { RunReportHook(); }
