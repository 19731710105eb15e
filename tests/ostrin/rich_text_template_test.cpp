#include "standins/ostrin/rich_text_template.h"

#include <gtest/gtest.h>

#include "tests/common/field_data_text.h"

#include <string>
#include <vector>

namespace {

using ostrin::FillTemplateLine;
using ostrin::FindTemplatePage;
using ostrin::SplitFieldValues;
using Lines = std::vector<std::string>;

const char* const kTemplate =
    "; P012 in English\r\n"
    "[P0120001]\r\n"
    "\\b Heat balance\\b0\r\n"
    "; a comment inside a page\n"
    "Duty \\v{1} kW\n"
    "\n"
    "[P0120002]\n"
    "Second page\n";

TEST(RichTextTemplate, APageRunsFromItsSectionLineToTheNext) {
  EXPECT_EQ(FindTemplatePage(kTemplate, "P0120001"),
            (Lines{"\\b Heat balance\\b0", "Duty \\v{1} kW", ""}));
  EXPECT_EQ(FindTemplatePage(kTemplate, "p0120002"), (Lines{"Second page"}));
  EXPECT_EQ(FindTemplatePage(kTemplate, "P0120003"), std::nullopt);
  EXPECT_EQ(FindTemplatePage(kTemplate, "P012000"), std::nullopt);
  EXPECT_EQ(FindTemplatePage("", "P0120001"), std::nullopt);
}

TEST(RichTextTemplate, FieldValuesAreTheTextsBetweenBytes3) {
  EXPECT_EQ(SplitFieldValues(field_data_test::Values("12||abc|")), (Lines{"12", "", "abc"}));
  EXPECT_EQ(SplitFieldValues("last"), (Lines{"last"}));
  EXPECT_EQ(SplitFieldValues(""), Lines{});
}

TEST(RichTextTemplate, ValueMarksTakeTheirValue) {
  const Lines values{"12.5", "", "hot"};
  const struct {
    const char* line;
    const char* filled;
  } cases[] = {
      {"Duty \\v{1} kW", "Duty 12.5 kW"},
      {"\\v{3}\\v{1}", "hot12.5"},
      {"empty [\\v{2}] missing [\\v{9}]", "empty [] missing []"},
      {"not marks: \\v{0} \\v{x} \\v{1 \\v", "not marks: \\v{0} \\v{x} \\v{1 \\v"},
      {"plain \\b text", "plain \\b text"},
  };
  for (const auto& c : cases) EXPECT_EQ(FillTemplateLine(c.line, values), c.filled) << c.line;
}

}  // namespace
