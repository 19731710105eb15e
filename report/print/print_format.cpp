// The "Print Format" section of the settings file.
#include <windows.h>

#include <cctype>

#include "report/print/report_printing_face.h"
#include "services/language_setting_face.h"

namespace {

bool SameWithoutCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

}  // namespace

int32_t PagesPerSheetFromSetting(std::string_view value) {
  if (SameWithoutCase(value, "4 per 1")) return 4;
  if (SameWithoutCase(value, "2 per 1")) return 2;
  return 1;
}

int32_t ReadPrintFormat() {
  char value[80] = {};
  GetPrivateProfileStringA("Print Format", "Output", "1 per 1", value, sizeof value, SETTINGS_FILE);
  return PagesPerSheetFromSetting(value);
}
