// The report samples under examples/report/: their indexes are what the index
// tool writes, and every page reads back whole through the index, the page
// range and the header reader.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "examples/report/index_tool/template_page_ends.h"
#include "report/pages/report_pages_face.h"

namespace {

std::string Sample(const std::string& name) {
  std::ifstream in(std::string(ZOVK_REPORT_SAMPLES) + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct Template {
  const char* file;
  const char* index;
  int32_t pages;
};
constexpr Template kTemplates[] = {{"DAT/LAN/P012.ENG", "DAT/LAN/P012INDX.ENG", 3},
                                   {"DAT/LAN/P012.FRE", "DAT/LAN/P012INDX.FRE", 2}};

TEST(ReportSamples, EachIndexIsTheToolsOutput) {
  for (const Template& t : kTemplates) {
    const auto ends = template_index::TemplatePageEnds(Sample(t.file));
    EXPECT_EQ(ends.error, "") << t.file;
    EXPECT_EQ(static_cast<int32_t>(ends.offsets.size()), t.pages) << t.file;
    EXPECT_EQ(Sample(t.index), template_index::IndexBytes(ends.offsets)) << t.index;
  }
}

TEST(ReportSamples, EveryPageReadsWholeAndEndsBeforeTheExtraByte) {
  std::set<char> controls;
  std::string references;
  for (const Template& t : kTemplates) {
    const std::string text = Sample(t.file);
    const std::string index_bytes = Sample(t.index);
    const auto index = ParseTemplateIndex(
        reinterpret_cast<const unsigned char*>(index_bytes.data()), index_bytes.size());
    ASSERT_TRUE(index) << t.index;
    ASSERT_EQ(index->count, t.pages);
    for (int32_t page = 1; page <= t.pages; ++page) {
      const auto range = FindTemplatePageRange(*index, page);
      ASSERT_TRUE(range);
      const std::string bytes = text.substr(static_cast<std::size_t>(range->start), range->length);
      // Page n ends at O[n], the last page at the file's end.
      const std::size_t last_byte =
          page < t.pages ? static_cast<std::size_t>(index->offsets[page]) : text.size() - 1;
      const std::size_t page_length = last_byte + 1 - static_cast<std::size_t>(range->start);
      std::string cells(PAGE_CELLS, '?'), options(13, '?'), items(100, '?');
      int32_t cursor = -1, under_text = -1;
      PICTURE_REFS[0] = '\0';
      const std::size_t end =
          ReadTemplateHeader("D", bytes.data(), bytes.size(), cells.data(), options.data(),
                             items.data(), &cursor, {&under_text, nullptr});
      EXPECT_EQ(end, page_length) << t.file << " page " << page;
      EXPECT_EQ(options, "NNNNNNNNNNNNN");
      for (int line = 0; line < PAGE_LINES; ++line) controls.insert(cells[line * 80 + 79]);
      references += PICTURE_REFS;
    }
  }
  for (char c : {'X', 'U', 'x', '0', '*', '-'}) EXPECT_TRUE(controls.count(c)) << c;
  EXPECT_NE(references.find(".ZFD "), std::string::npos);
}

TEST(ReportSamples, TheRichTextTemplateHoldsEveryEnglishPage) {
  const std::string text = Sample("DAT/LAN/P012.RENG");
  for (const char* page : {"[P0120001]", "[P0120002]", "[P0120003]"})
    EXPECT_NE(text.find(page), std::string::npos) << page;
  EXPECT_FALSE(Sample("DAT/PDA/G_ENGLIS.PDA").empty());
  EXPECT_FALSE(Sample("DAT/PDA/G_FRENCH.PDA").empty());
}

}  // namespace
