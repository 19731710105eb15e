// Function-key labels on a form, found from a selected cell.
#include <gtest/gtest.h>

#include "report/screen/form_fields_face.h"
#include "tests/screen/form_page.h"

namespace {

int32_t KeyAt(const FormPage& page, int32_t cell) {
  return FindFunctionKeyLabel(page.form.data(), page.text.data(), cell);
}

}  // namespace

TEST(FunctionKeyLabels, AnyCellOfATenthKeysLabelGivesTen) {
  FormPage page;
  page.Both(22, 30, "F10=Exit");
  for (int32_t column = 30; column < 38; ++column) EXPECT_EQ(KeyAt(page, Cell(22, column)), 10);
}

TEST(FunctionKeyLabels, BetweenTwoLabelsAtEqualDistanceTheRightOneWins) {
  FormPage page;
  page.Both(22, 0, "F2=Save F3=Exit");
  // The '=' signs are at columns 2 and 10.
  EXPECT_EQ(KeyAt(page, Cell(22, 6)), 3);
  EXPECT_EQ(KeyAt(page, Cell(22, 5)), 2);
  EXPECT_EQ(KeyAt(page, Cell(22, 7)), 3);
}

TEST(FunctionKeyLabels, TwoBlanksSeparateALabelFromTheCell) {
  FormPage page;
  page.Both(21, 0, "F2=Save x  F3=Exit");
  // The right label is nearer, but two blanks stand between it and the cell.
  EXPECT_EQ(KeyAt(page, Cell(21, 8)), 2);
}

TEST(FunctionKeyLabels, OneBlankMayStandBeforeTheEqualsSign) {
  FormPage page;
  page.Both(20, 0, "F3 =Exit  F11 =Print");
  EXPECT_EQ(KeyAt(page, Cell(20, 5)), 3);
  EXPECT_EQ(KeyAt(page, Cell(20, 16)), 11);
}

TEST(FunctionKeyLabels, AnEqualsSignInAFieldIsNoLabel) {
  FormPage page;
  page.text.put(Cell(4, 0), "F4=Help");
  page.form[Cell(4, 2)] = '@';
  EXPECT_EQ(KeyAt(page, Cell(4, 4)), 0);
}

TEST(FunctionKeyLabels, ALabelStaysInItsRow) {
  FormPage page;
  // "F1" ends line 3 and the '=' opens line 4: no label.
  page.text.put(Cell(3, 78), "F1=Go");
  EXPECT_EQ(KeyAt(page, Cell(4, 1)), 0);
  // An '=' at the form's first cell has nothing before it to read.
  page.text[0] = '=';
  EXPECT_EQ(KeyAt(page, 0), 0);
  EXPECT_EQ(KeyAt(page, -1), 0);
  EXPECT_EQ(KeyAt(page, FORM_CELLS), 0);
}

TEST(MatchLabel, TheFirstEntryWhoseFirstCharactersEqualTheText) {
  EXPECT_EQ(MatchLabel("F3=x", FUNCTION_KEY_LABELS, 10, 2), 3);
  EXPECT_EQ(MatchLabel("F1", FUNCTION_KEY_LABELS, 10, 2), 1);
  EXPECT_EQ(MatchLabel("F12", FUNCTION_KEY_LABELS + 9, 3, 3), 3);
  EXPECT_EQ(MatchLabel("F13", FUNCTION_KEY_LABELS + 9, 3, 3), 0);
  EXPECT_EQ(MatchLabel("G1", FUNCTION_KEY_LABELS, 12, 2), 0);
}
