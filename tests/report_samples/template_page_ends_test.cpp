#include "examples/report/index_tool/template_page_ends.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using template_index::IndexBytes;
using template_index::TemplatePageEnds;
using Offsets = std::vector<int32_t>;

// n lines of the given text, each ended by "\r\n".
std::string Lines(int n, const std::string& text = "") {
  std::string out;
  for (int i = 0; i < n; ++i) out += text + "\r\n";
  return out;
}

TEST(TemplatePageEnds, OffsetZeroThenTheLastByteOfEachPageButTheLast) {
  EXPECT_EQ(TemplatePageEnds(Lines(26)).offsets, Offsets{0});
  const std::string three = Lines(26, "a") + Lines(26) + Lines(26, "ccc");
  const auto index = TemplatePageEnds(three);
  EXPECT_EQ(index.error, "");
  EXPECT_EQ(index.offsets, (Offsets{0, 26 * 3 - 1, 26 * 3 + 26 * 2 - 1}));
  EXPECT_EQ(three[index.offsets[1]], '\n');
  EXPECT_EQ(IndexBytes({0, 77, 0x01020304, -1}),
            std::string("\0\0\0\0M\0\0\0\x04\x03\x02\x01\xFF\xFF\xFF\xFF", 16));
}

TEST(TemplatePageEnds, RefusesTemplatesThatAPageReadCannotTake) {
  const struct {
    std::string text;
    const char* error;
  } cases[] = {
      {"", "the template is empty"},
      {Lines(25) + "last", "the last line has no line end"},
      {Lines(27), "27 lines are no whole pages of 26"},
      {Lines(3) + std::string(81, 'L') + "\r\n" + Lines(22), "line 4 is longer than 80 characters"},
      {Lines(26, std::string(79, 'L')), "page 1 is longer than 2049 bytes"},
  };
  for (const auto& c : cases) {
    const auto index = TemplatePageEnds(c.text);
    EXPECT_EQ(index.error, c.error);
    EXPECT_TRUE(index.offsets.empty());
  }
  EXPECT_EQ(TemplatePageEnds(std::string(80, 'L') + "\n" + Lines(25)).error, "");
}

}  // namespace
