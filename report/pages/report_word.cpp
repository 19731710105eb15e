// The report unit's small entries.
#include "report/pages/report_file_face.h"

int32_t REPORT_WORD = 0;

void SetReportWord(int32_t value) { REPORT_WORD = value; }

int32_t GetReportWord() { return REPORT_WORD; }

void RunReportHook() {}
