// The report language index, set from a language name's first letter.
#include <cstdint>

#include "report/screen/line_characters_face.h"
#include "services/language_setting_face.h"

int32_t REPORT_LANGUAGE_INDEX = 0;

void SetLanguageIndex(const char* language) {
  if (language == nullptr) return;
  for (const Language& known : LANGUAGES)
    if (known.letter == language[0]) {
      REPORT_LANGUAGE_INDEX = known.LANGUAGE_INDEX;
      return;
    }
}

int32_t GetLanguageIndex() { return REPORT_LANGUAGE_INDEX; }

int32_t IsWideLeadByte(unsigned char byte) {
  return REPORT_LANGUAGE_INDEX == CHINESE_LANGUAGE_INDEX && byte >= 160 ? 1 : 0;
}

int32_t IsNumberCharacter(char c) { return (c >= '0' && c <= '9') || c == '.' || c == '-'; }
