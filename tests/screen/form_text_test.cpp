// A line of free text on the screen, and small edits of form texts.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "report/screen/form_fields_face.h"
#include "tests/screen/form_page.h"

TEST(PaintTextLine, PadsToEightyCellsInAttribute15) {
  RecordingPainter painter;
  EXPECT_EQ(PaintTextLine("Run\nfinished", 3, painter), 0);
  ASSERT_EQ(painter.cells.size(), 1u);
  EXPECT_EQ(painter.cells[0].text, "Run finished" + std::string(68, ' '));
  EXPECT_EQ(painter.cells[0].attributes, std::string(80, '\x0F'));
  EXPECT_EQ(painter.cells[0].first, Cell(3, 0));
}

TEST(PaintTextLine, ALongerTextByItsFirstEighty) {
  RecordingPainter painter;
  const std::string text(100, 'x');
  PaintTextLine(text.c_str(), 24, painter);
  ASSERT_EQ(painter.cells.size(), 1u);
  EXPECT_EQ(painter.cells[0].text, std::string(80, 'x'));
  // No row outside the screen.
  PaintTextLine(text.c_str(), 25, painter);
  PaintTextLine(text.c_str(), -1, painter);
  EXPECT_EQ(painter.cells.size(), 1u);
}

TEST(TextEdits, UpperCaseLetters) {
  std::string text = "aZz1-\xE4";
  for (char& c : text) UpperCaseLetter(&c);
  EXPECT_EQ(text, "AZZ1-\xE4");
}

TEST(TextEdits, NulsToBlanks) {
  char buffer[] = {'a', '\0', 'b', '\0', '\0'};
  EXPECT_EQ(NulsToBlanks(buffer, 4), 4);
  EXPECT_EQ(std::string(buffer, 5), std::string("a b \0", 5));
}

TEST(TextEdits, TrimAndRemoveBlanks) {
  char padded[] = "  heat  exchanger  ";
  TrimBlanks(padded);
  EXPECT_STREQ(padded, "heat  exchanger");
  char blank[] = "   ";
  TrimBlanks(blank);
  EXPECT_STREQ(blank, "");
  char spaced[] = " 1 2  3 ";
  EXPECT_EQ(RemoveBlanks(spaced), 3);
  EXPECT_STREQ(spaced, "123");
}
