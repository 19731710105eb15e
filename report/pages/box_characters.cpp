// Box characters of code page 437 as plain characters, for Chinese pages.
#include "report/pages/report_pages_face.h"

namespace {

struct BoxReplacement {
  unsigned char box;
  char plain;
};
constexpr BoxReplacement kBoxReplacements[] = {
    {0xB3, '|'}, {0xB4, '|'}, {0xBF, '|'}, {0xC0, '|'}, {0xC1, '|'}, {0xC2, '|'},
    {0xC3, '|'}, {0xC4, '-'}, {0xC5, '|'}, {0xD9, '|'}, {0xDA, '|'}, {0xFD, '2'},
};

}  // namespace

void ReplaceChineseBoxCharacters(char* text, std::size_t length) {
  if (!text) return;
  for (std::size_t i = 0; i < length; ++i)
    for (const BoxReplacement& r : kBoxReplacements)
      if (static_cast<unsigned char>(text[i]) == r.box) {
        text[i] = r.plain;
        break;
      }
}
