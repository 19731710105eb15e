// Pages made in a test from a few lines: rows of text with their control
// characters and marks put straight into the page buffers, and a look at
// which font a metafile wrote each text in.
#pragma once

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "report/print/page_buffers.h"
#include "tests/common/metafile_records.h"

// Row r of the page: its text from column 1, its control character in
// column 80 of text and marks, and its marks from column 1.
inline void PutRow(int row, const std::string& text, char control = ' ',
                   const std::string& marks = "") {
  std::memset(PAGE_TEXT[row], ' ', ROW_CELLS);
  std::memset(PAGE_MARKS[row], ' ', ROW_CELLS);
  std::memcpy(PAGE_TEXT[row], text.data(), std::min<std::size_t>(text.size(), 79));
  std::memcpy(PAGE_MARKS[row], marks.data(), std::min<std::size_t>(marks.size(), 79));
  PAGE_TEXT[row][79] = control;
  PAGE_MARKS[row][79] = control;
}

// The font each text record was written in, by its height and weight.
struct WrittenText {
  std::string text;
  POINTL at;
  LONG font_height;
  LONG font_weight;
};

inline std::vector<WrittenText> TextsWithFonts(const EmfRecords& records) {
  std::vector<WrittenText> out;
  std::vector<EmfRecords::Font> fonts = records.fonts();
  const std::vector<EmfRecords::Text> texts = records.texts();
  LOGFONTW selected{};
  std::size_t next_text = 0;
  for (std::size_t i = 0; i < records.all().size(); ++i) {
    const EmfRecord& r = records.all()[i];
    if (r.type == EMR_SELECTOBJECT) {
      const DWORD handle = r.as<EMRSELECTOBJECT>().ihObject;
      // The latest font made in that slot before this selection.
      for (const EmfRecords::Font& f : fonts)
        if (f.handle == handle && f.index < i) selected = f.log;
    }
    if (next_text < texts.size() && texts[next_text].index == i) {
      out.push_back({texts[next_text].text, texts[next_text].reference, selected.lfHeight,
                     selected.lfWeight});
      ++next_text;
    }
  }
  return out;
}

inline const WrittenText* FindText(const std::vector<WrittenText>& texts, const std::string& part) {
  for (const WrittenText& t : texts)
    if (t.text.find(part) != std::string::npos) return &t;
  return nullptr;
}
