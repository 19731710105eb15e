// A form's typed values collected into a field data string, and fields
// filled from one.
#include <gtest/gtest.h>

#include <string>

#include "report/screen/form_fields_face.h"
#include "report/screen/screen_cells_face.h"
#include "tests/screen/form_page.h"

namespace {

const std::string kSeparator(1, FIELD_SEPARATOR);
const std::string kEnd(1, FIELD_DATA_END);

// Collects, answering the string written up to and with its byte 25, or
// "untouched" when nothing was written.
std::string Collect(const char* mode, const FormPage& page, int32_t* result) {
  std::string data(COLLECTED_FIELD_DATA_SIZE, '\x7F');
  *result = CollectFieldValues(mode, page.form.data(), page.text.data(), data.data());
  const std::size_t end = data.find(FIELD_DATA_END);
  return end == std::string::npos ? "untouched" : data.substr(0, end + 1);
}

FormPage TwoFields() {
  FormPage page;
  page.form.put(Cell(1, 10), "###");
  page.text.put(Cell(1, 10), "1.5");
  page.form.put(Cell(2, 5), "@@@@");
  page.text.put(Cell(2, 5), "ab d");
  page.text[Cell(2, 7)] = '\0';
  return page;
}

}  // namespace

TEST(CollectFieldValues, EachFieldEndedByByte3AndTheWholeByByte25) {
  const FormPage page = TwoFields();
  int32_t result = 0;
  EXPECT_EQ(Collect("A  ", page, &result), "1.5" + kSeparator + "ab d" + kSeparator + kEnd);
  EXPECT_EQ(result, 9);
}

TEST(CollectFieldValues, UpperCasedWhenTheModesThirdLetterSaysSo) {
  const FormPage page = TwoFields();
  int32_t result = 0;
  EXPECT_EQ(Collect("A U", page, &result), "1.5" + kSeparator + "AB D" + kSeparator + kEnd);
  EXPECT_EQ(Collect("AAF", page, &result), "1.5" + kSeparator + "AB D" + kSeparator + kEnd);
}

TEST(CollectFieldValues, NothingWhenTheModesSecondLetterIsNOrF) {
  const FormPage page = TwoFields();
  int32_t result = 0;
  EXPECT_EQ(Collect("AN", page, &result), "untouched");
  EXPECT_EQ(result, 'N');
  EXPECT_EQ(Collect("AFU", page, &result), "untouched");
  EXPECT_EQ(result, 'F');
  // A mode too short for its letters reads as blanks.
  EXPECT_NE(Collect("A", page, &result), "untouched");
}

TEST(CollectFieldValues, AFieldRunningUpToTheLastCollectedCellIsEndedToo) {
  FormPage page;
  page.form.put(1910, "#####");
  page.text.put(1910, "12345");
  int32_t result = 0;
  EXPECT_EQ(Collect("   ", page, &result), "12345" + kSeparator + kEnd);
  EXPECT_EQ(result, 6);
}

TEST(FillFieldsFromValues, EachValueIntoItsFieldBlankedAfterAndCut) {
  FormPage page;
  page.form.put(Cell(1, 10), "@@@@@ ###");
  page.text.put(Cell(1, 0), "Fluid:    STEAM 999 tail");
  const std::string data = "OIL" + kSeparator + "12345" + kSeparator + kEnd;
  FillFieldsFromValues(page.form.data(), page.text.data(), data.c_str());
  EXPECT_EQ(page.text.at(Cell(1, 0), 24), "Fluid:    OIL   123 tail");
}

TEST(FillFieldsFromValues, StopsWhenTheValuesRunOut) {
  FormPage page;
  page.form.put(0, "## ## ##");
  page.text.put(0, "aa bb cc");
  const std::string data = "1" + kSeparator + "2" + kEnd;
  EXPECT_EQ(FillFieldsFromValues(page.form.data(), page.text.data(), data.c_str()), 2);
  EXPECT_EQ(page.text.at(0, 8), "1  bb cc");
}

TEST(FillFieldsFromValues, AFieldWithoutAnEndIsLeftAlone) {
  FormPage page;
  page.form.put(1675, "####");  // cells 1675 to 1678: the search wraps before its end
  page.text.put(1675, "keep");
  const std::string data = "lost" + kSeparator + kEnd;
  FillFieldsFromValues(page.form.data(), page.text.data(), data.c_str());
  EXPECT_EQ(page.text.at(1675, 4), "keep");
}
