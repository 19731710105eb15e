// What a selected cell of a form stands for.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "report/screen/form_fields_face.h"
#include "report/screen/screen_cells_face.h"
#include "tests/screen/form_page.h"

namespace {

constexpr const char* kAllOff = "NNNNNNNNNNNNN";

// A form with a text field (1) and a numeric field (2), picker groups, a
// line to pick words from, a leader and two key labels.
class FormCell : public testing::Test {
 protected:
  FormCell() {
    page_.Both(2, 0, "Fluid @@@@@      water");
    page_.text.put(Cell(2, 6), "STEAM");
    page_.Both(3, 0, "Flow  #####");
    page_.text.put(Cell(3, 6), "0    ");
    std::memset(page_.attributes.data() + Cell(2, 6), ATTRIBUTE_FIELD, 5);
    std::memset(page_.attributes.data() + Cell(3, 6), ATTRIBUTE_FIELD, 5);
    page_.Both(5, 0, "[[AOIL]] [[BWATER]] [[1x]]");
    // Words to pick: two blanks part them, one stays inside a word; a full
    // row of blanks between a word and the field would cancel the pick.
    page_.Both(4, 0, "Choose:  1.5E3  STEAM");
    page_.Both(10, 0, "Length ..... m  1.5");
    page_.Both(22, 0, "F2=Save F3=Exit");
  }
  int32_t Select(int32_t cell, const char* options = kAllOff, const char* mode = "   ") {
    return HandleFormCell(mode, options, page_.form.data(), page_.text.data(),
                          page_.attributes.data(), cell, painter_);
  }
  std::string Field(int32_t line) const { return page_.text.at(Cell(line, 6), 5); }

  FormPage page_;
  RecordingPainter painter_;
};

TEST_F(FormCell, AFieldCellStandsForNothing) { EXPECT_EQ(Select(Cell(2, 7), "YYYYYYYYYYYYY"), 0); }

TEST_F(FormCell, AKeyLabelGivesItsKeyUnlessTheKeyIsOff) {
  EXPECT_EQ(Select(Cell(22, 12), "NNYNNNNNNNNNN"), 3);
  EXPECT_EQ(Select(Cell(22, 12), kAllOff), 0);
  EXPECT_EQ(Select(Cell(22, 12), "NNNNNNNNNNNNY"), 13);
}

TEST_F(FormCell, ALeaderDotGivesTheFirstHelpOrFormOption) {
  EXPECT_EQ(Select(Cell(10, 9), "NNNNHNNNFNNNN"), 5);
  EXPECT_EQ(Select(Cell(10, 9), "NNNNNNNNFNNNN"), 9);
  // A decimal point is no leader: the first 'F' option answers by the rule
  // for cells above the key rows instead.
  EXPECT_EQ(Select(Cell(10, 17), "NNNNHNNNFNNNN"), 9);
}

TEST_F(FormCell, TheModesThirdLetterCAnswers13) {
  EXPECT_EQ(Select(Cell(12, 40), kAllOff, "  C"), 13);
}

TEST_F(FormCell, APickerGroupPutsItsNameIntoItsField) {
  EXPECT_EQ(Select(Cell(5, 3)), -1);
  EXPECT_EQ(Field(2), "OIL  ");
  ASSERT_EQ(painter_.cells.size(), 1u);
  EXPECT_EQ(painter_.cells[0].text, "OIL  ");
  EXPECT_EQ(painter_.cells[0].first, Cell(2, 6));
  EXPECT_EQ(painter_.cells[0].attributes, std::string(5, ATTRIBUTE_FIELD));
  // A name longer than its field is cut.
  EXPECT_EQ(Select(Cell(5, 12)), -1);
  EXPECT_EQ(Field(3), "WATER");
}

TEST_F(FormCell, AGroupNamingNoFieldFallsThrough) {
  EXPECT_EQ(Select(Cell(5, 23)), 0);
  EXPECT_EQ(Field(2), "STEAM");
  EXPECT_TRUE(painter_.cells.empty());
}

TEST_F(FormCell, ANumberInExponentFormIsPickedIntoTheNumericField) {
  EXPECT_EQ(Select(Cell(4, 11)), -1);
  EXPECT_EQ(Field(3), "1.5E3");
  EXPECT_EQ(painter_.characters_text(), "1.5E3");
  ASSERT_EQ(painter_.characters.size(), 5u);
  EXPECT_EQ(painter_.characters[0].cell, Cell(3, 6));
  EXPECT_EQ(painter_.characters[4].attribute, ATTRIBUTE_FIELD);
}

TEST_F(FormCell, AWordAFullBlankRowAwayIsNotPicked) {
  page_.Both(7, 0, "Choose:  42");
  EXPECT_EQ(Select(Cell(7, 10)), 0);
  EXPECT_EQ(Field(3), "0    ");
}

// A word is what stands between blanks within one row: the cells just past
// a row's end belong to the next row and are no part of it.
TEST_F(FormCell, APickedWordEndsWithItsRow) {
  page_.Both(6, 0, "y");  // no full row of blanks back to the field
  page_.Both(6, 77, "123");
  page_.Both(7, 0, "456");
  EXPECT_EQ(Select(Cell(6, 78)), -1);
  EXPECT_EQ(Field(3), "123  ");
  EXPECT_EQ(Select(Cell(7, 1)), -1);
  EXPECT_EQ(Field(3), "456  ");
}

TEST_F(FormCell, LettersAreRefusedByANumericField) {
  EXPECT_EQ(Select(Cell(4, 18)), 0);
  EXPECT_EQ(Field(3), "0    ");
  EXPECT_TRUE(painter_.characters.empty());
}

TEST_F(FormCell, AWordPickedIntoATextFieldLeavesNoOldTail) {
  EXPECT_EQ(Select(Cell(2, 19)), -1);
  EXPECT_EQ(Field(2), "water");
  page_.Both(2, 17, "oil  ");
  EXPECT_EQ(Select(Cell(2, 18)), -1);
  EXPECT_EQ(Field(2), "oil  ");
}

TEST_F(FormCell, TheOptionsForCellsAroundTheFields) {
  // Option 13, then the first 'F' option above the key rows.
  EXPECT_EQ(Select(Cell(15, 40), "NNNNNNNNNNNNY"), 13);
  EXPECT_EQ(Select(Cell(15, 40), "NNNFNNNNNNNNN"), 4);
  EXPECT_EQ(Select(Cell(23, 40), "NNNFNNNNNNNNN"), 0);
  // Above the first field: option 7.
  EXPECT_EQ(Select(Cell(0, 40), "NNNNNNYNNNNNN"), 7);
  // Below the last field: option 8.
  EXPECT_EQ(Select(Cell(15, 40), "NNNNNNNYNNNNN"), 8);
  EXPECT_EQ(Select(Cell(0, 40), "NNNNNNNYNNNNN"), 0);
}

TEST_F(FormCell, ACellOutsideTheFormStandsForNothing) {
  EXPECT_EQ(Select(-1, "YYYYYYYYYYYYY", "  C"), 0);
  EXPECT_EQ(Select(FORM_CELLS, "YYYYYYYYYYYYY", "  C"), 0);
}

TEST_F(FormCell, MissingOptionsAreOff) {
  EXPECT_EQ(Select(Cell(15, 40), "NNNNNNNN"), 0);
  EXPECT_EQ(Select(Cell(15, 40), ""), 0);
}

// Two fields one cell apart are two fields: a group lettered B fills the
// second and leaves the first and the cell between them alone.
TEST(FormCellPair, AGroupFillsTheSecondOfTwoFieldsOneCellApart) {
  FormPage page;
  page.Both(2, 0, "Pair @@@ @@@:");
  page.text.put(Cell(2, 5), "AAA BBB");
  std::memset(page.attributes.data() + Cell(2, 5), ATTRIBUTE_FIELD, 3);
  std::memset(page.attributes.data() + Cell(2, 9), ATTRIBUTE_FIELD, 3);
  page.Both(5, 0, "[[BOIL]] [[AGAS]]");
  RecordingPainter painter;
  auto select = [&](int32_t cell) {
    return HandleFormCell("   ", kAllOff, page.form.data(), page.text.data(),
                          page.attributes.data(), cell, painter);
  };
  EXPECT_EQ(select(Cell(5, 3)), -1);
  EXPECT_EQ(page.text.at(Cell(2, 0), 13), "Pair AAA OIL:");
  EXPECT_EQ(select(Cell(5, 12)), -1);
  EXPECT_EQ(page.text.at(Cell(2, 0), 13), "Pair GAS OIL:");
}

}  // namespace
