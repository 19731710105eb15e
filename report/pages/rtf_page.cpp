// A report page handed to the rich-text library, and whether it is enabled.
#include <string>

#include "include/rich_text.h"
#include "report/pages/report_file_face.h"
#include "report/pages/report_pages_face.h"
#include "runenv/run_folders_face.h"
#include "runenv/run_services_face.h"
#include "services/install_paths_face.h"
#include "services/language_setting_face.h"

int32_t WriteRtfPage(const char* template_name, const char* page_id, char* field_data,
                     int64_t field_data_len) {
  char folder[FOLDER_BUFFER_SIZE];
  char path[FOLDER_BUFFER_SIZE];
  if (!template_name || !GetLanFolder(folder, sizeof folder) ||
      !JoinPathWithin(path, sizeof path, folder, template_name) || !CheckFileExists(path))
    return -1;
  const std::size_t length = TakeFieldList(field_data, field_data_len).value_or(0);
  const std::string values = length > 0 ? std::string(field_data, length) : std::string();
  ParseRTF(path, page_id ? page_id : "", values.c_str());
  return 1;
}

void QueryRtfEnabled(int32_t* enabled) {
  const int32_t answer = IsRTFEnabled() ? 1 : 0;
  if (enabled) *enabled = answer;
}
