// The three print fonts and the cell they give the page grid.
#include <cstring>

#include "include/holders.h"
#include "report/print/sheet_rendering.h"

PrintFonts PRINT_FONTS;

namespace {

// Deletes the font of a slot before its successor is made. A width of 0
// leaves the glyphs' width to the context's vertical scale.
void Replace(HFONT& slot, int32_t height, int32_t weight, int32_t width = 0) {
  if (slot) DeleteObject(std::exchange(slot, nullptr));
  LOGFONTA log{};
  log.lfHeight = height;
  log.lfWidth = width;
  log.lfWeight = weight;
  log.lfCharSet = ANSI_CHARSET;
  log.lfOutPrecision = 0;
  log.lfClipPrecision = 0;
  log.lfQuality = PROOF_QUALITY;
  std::strncpy(log.lfFaceName, PRINT_FONT_FACE, LF_FACESIZE - 1);
  slot = CreateFontIndirectA(&log);
}

// The average character width of the slot's font as the context measures
// it, and the font made again with that width said; left as it is when the
// context measures nothing.
void SayWidth(HFONT& slot, HDC reference, int32_t height, int32_t weight) {
  TEXTMETRICA metrics{};
  {
    SelectedObject font(reference, slot);
    if (!GetTextMetricsA(reference, &metrics) || metrics.tmAveCharWidth < 1) return;
  }
  Replace(slot, height, weight, metrics.tmAveCharWidth);
}

}  // namespace

void CreatePrintFonts(HDC dc, CELL_SIZE* cell_size) {
  const FixedPage* fixed = FIXED_PAGE;
  Replace(PRINT_FONTS.title, fixed ? fixed->title_height : 105, 800);
  Replace(PRINT_FONTS.heading, fixed ? fixed->heading_height : 100, 800);
  Replace(PRINT_FONTS.text, fixed ? fixed->text_height : 100, 400);
  if (fixed) {
    // A fixed page is a picture that a receiver plays into a rectangle of
    // its own, whose proportions need not be the sheet's: a font that does
    // not say its width there takes it from the rectangle's height, and its
    // glyphs grow wider or narrower than the places its characters were
    // given. Each font says the width the text is measured in.
    if (HDC reference = GetPreviewReferenceDC()) {
      SayWidth(PRINT_FONTS.title, reference, fixed->title_height, 800);
      SayWidth(PRINT_FONTS.heading, reference, fixed->heading_height, 800);
      SayWidth(PRINT_FONTS.text, reference, fixed->text_height, 400);
    }
    *cell_size = fixed->cell;
    return;
  }
  TEXTMETRICA metrics{};
  {
    SelectedObject text(dc, PRINT_FONTS.text);
    if (!GetTextMetricsA(dc, &metrics)) metrics = {};
  }
  const double a = metrics.tmAveCharWidth;
  const double t = metrics.tmHeight;
  if (PRINT_FONT_MODE == 1) {
    *cell_size = {static_cast<int32_t>(0.9 * a), static_cast<int32_t>(t)};
  } else if (PAGES_PER_SHEET == 4) {
    *cell_size = {static_cast<int32_t>(a), static_cast<int32_t>(t)};
  } else {
    *cell_size = {static_cast<int32_t>(1.1 * a), static_cast<int32_t>(1.1 * t)};
  }
}

void DeletePrintFonts() {
  for (HFONT* slot : {&PRINT_FONTS.title, &PRINT_FONTS.heading, &PRINT_FONTS.text})
    if (*slot) DeleteObject(std::exchange(*slot, nullptr));
}
