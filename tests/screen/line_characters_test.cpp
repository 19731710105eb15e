// Which characters are box lines and what part each plays in a line.
#include <gtest/gtest.h>

#include <vector>

#include "report/screen/line_characters_face.h"
#include "tests/screen/screen_page.h"

namespace {

std::vector<int32_t> HorizontalRoles(const ExactCells& text, int32_t from, int32_t count) {
  std::vector<int32_t> roles;
  for (int32_t cell = from; cell < from + count; ++cell)
    roles.push_back(ClassifyHorizontalLine(text.view(), cell));
  return roles;
}

std::vector<int32_t> LineFlags(const ExactCells& text, int32_t from, int32_t count) {
  std::vector<int32_t> flags;
  for (int32_t cell = from; cell < from + count; ++cell)
    flags.push_back(IsLineCharacter(text.view(), cell));
  return flags;
}

const std::vector<int32_t> kBarDashesBar{LINE_STARTS, LINE_PASSES, LINE_PASSES, LINE_PASSES,
                                         LINE_ENDS};

}  // namespace

TEST(LineCharacters, ABarThreeDashesAndABarMakeOneLineFromCentreToCentre) {
  ExactCells text(2000);
  text.put(Cell(3, 10), "|---|+");
  EXPECT_EQ(HorizontalRoles(text, Cell(3, 10), 5), kBarDashesBar);
  EXPECT_EQ(LineFlags(text, Cell(3, 10), 6), (std::vector<int32_t>{1, 1, 1, 1, 1, 0}));
  EXPECT_EQ(ClassifyHorizontalLine(text.view(), Cell(3, 15)), NO_LINE);
}

TEST(LineCharacters, ALoneDashStaysTextAndTwoDashesAreALine) {
  ExactCells text(2000);
  text.put(Cell(0, 0), "a-b c--d");
  EXPECT_EQ(LineFlags(text, 0, 8), (std::vector<int32_t>{0, 0, 0, 0, 0, 1, 1, 0}));
  EXPECT_EQ(ClassifyHorizontalLine(text.view(), 1), NO_LINE);
  EXPECT_EQ(ClassifyVerticalLine(text.view(), 1), NO_LINE);
  EXPECT_EQ(HorizontalRoles(text, 5, 2), (std::vector<int32_t>{LINE_STARTS, LINE_ENDS}));
}

TEST(LineCharacters, ABoxAtTheTextsLastCellSeesNothingBeyondIt) {
  // The text ends at cell 1999 in a block of exactly 2000 cells.
  ExactCells text(2000);
  text.put(1995, "|---|");
  EXPECT_EQ(HorizontalRoles(text, 1995, 5), kBarDashesBar);
  EXPECT_EQ(LineFlags(text, 1995, 5), (std::vector<int32_t>{1, 1, 1, 1, 1}));
  text.put(1998, "--");
  EXPECT_EQ(ClassifyHorizontalLine(text.view(), 1999), LINE_ENDS);
  EXPECT_EQ(IsLineCharacter(text.view(), 1999), 1);
  // On the last row a bar has no row below: a bar above it ends the line.
  text.put(1999 - ROW_CELLS, "|");
  EXPECT_EQ(ClassifyVerticalLine(text.view(), 1999), LINE_ENDS);
  EXPECT_EQ(ClassifyVerticalLine(text.view(), 1995), LINE_PASSES);
}

TEST(LineCharacters, AShortTextEndsWhereItsCountSays) {
  // The same cells as a text of their own, of which the last two are left out.
  ExactCells cells(5);
  cells.put(0, "|---|");
  const CellText first_three{cells.data(), 0, 3};
  EXPECT_EQ(ClassifyHorizontalLine(first_three, 2), LINE_ENDS);
  EXPECT_EQ(IsLineCharacter(first_three, 3), 0);
  // A text that starts at cell 1 has no left neighbour for its first cell.
  const CellText from_one{cells.data() + 1, 1, 4};
  EXPECT_EQ(ClassifyHorizontalLine(from_one, 1), LINE_STARTS);
}

TEST(LineCharacters, AVerticalBoxOfBarsAndDashes) {
  ExactCells text(2000);
  text.put(Cell(0, 2), "|--|");
  text.put(Cell(1, 2), "|  |");
  text.put(Cell(2, 2), "|  |");
  text.put(Cell(3, 2), "|--|");
  std::vector<int32_t> left_side;
  for (int32_t row = 0; row < 4; ++row)
    left_side.push_back(ClassifyVerticalLine(text.view(), Cell(row, 2)));
  EXPECT_EQ(left_side, (std::vector<int32_t>{LINE_STARTS, LINE_PASSES, LINE_PASSES, LINE_ENDS}));
  // A dash of the top edge has no bar above or below: no vertical line.
  EXPECT_EQ(ClassifyVerticalLine(text.view(), Cell(0, 3)), NO_LINE);
}

struct BoxByteCase {
  unsigned char byte;
  int32_t horizontal;
  int32_t vertical;
};

class BoxBytes : public testing::TestWithParam<BoxByteCase> {};

TEST_P(BoxBytes, PlayTheirPartUnlessTheLanguageIsChinese) {
  const BoxByteCase& c = GetParam();
  ExactCells text(2000);
  text[Cell(5, 5)] = static_cast<char>(c.byte);
  {
    LanguageIndexScope english(1);
    EXPECT_EQ(IsLineCharacter(text.view(), Cell(5, 5)), 1);
    EXPECT_EQ(ClassifyHorizontalLine(text.view(), Cell(5, 5)), c.horizontal);
    EXPECT_EQ(ClassifyVerticalLine(text.view(), Cell(5, 5)), c.vertical);
  }
  LanguageIndexScope chinese(CHINESE_LANGUAGE_INDEX);
  EXPECT_EQ(IsLineCharacter(text.view(), Cell(5, 5)), 0);
  EXPECT_EQ(ClassifyHorizontalLine(text.view(), Cell(5, 5)), NO_LINE);
  EXPECT_EQ(ClassifyVerticalLine(text.view(), Cell(5, 5)), NO_LINE);
}

INSTANTIATE_TEST_SUITE_P(
    Cp437, BoxBytes,
    testing::Values(
        BoxByteCase{0xB3, NO_LINE, LINE_PASSES}, BoxByteCase{0xB4, LINE_ENDS, LINE_PASSES},
        BoxByteCase{0xBF, LINE_ENDS, LINE_STARTS}, BoxByteCase{0xC0, LINE_STARTS, LINE_ENDS},
        BoxByteCase{0xC1, LINE_PASSES, LINE_ENDS}, BoxByteCase{0xC2, LINE_PASSES, LINE_STARTS},
        BoxByteCase{0xC3, LINE_STARTS, LINE_PASSES}, BoxByteCase{0xC4, LINE_PASSES, NO_LINE},
        BoxByteCase{0xC5, LINE_PASSES, LINE_PASSES}, BoxByteCase{0xD9, LINE_ENDS, LINE_ENDS},
        BoxByteCase{0xDA, LINE_STARTS, LINE_STARTS}, BoxByteCase{0xCD, NO_LINE, NO_LINE},
        BoxByteCase{0xD5, NO_LINE, NO_LINE}, BoxByteCase{0x00, NO_LINE, NO_LINE}));

TEST(LineCharacters, SomeBoxBytesAreNeverLines) {
  ExactCells text(2000);
  text.put(0, "\xD4 \xD7 \xD8 \xB2");
  LanguageIndexScope english(1);
  EXPECT_EQ(LineFlags(text, 0, 7), (std::vector<int32_t>{0, 0, 0, 0, 0, 0, 0}));
}

TEST(LineCharacters, WithChineseBarsAndPairedDashesStillAreLines) {
  ExactCells text(2000);
  text.put(0, "|--|");
  LanguageIndexScope chinese(CHINESE_LANGUAGE_INDEX);
  EXPECT_EQ(LineFlags(text, 0, 4), (std::vector<int32_t>{1, 1, 1, 1}));
  EXPECT_EQ(HorizontalRoles(text, 0, 4),
            (std::vector<int32_t>{LINE_STARTS, LINE_PASSES, LINE_PASSES, LINE_ENDS}));
}

struct LanguageNameCase {
  const char* name;
  int32_t index;
};

class LanguageNames : public testing::TestWithParam<LanguageNameCase> {};

TEST_P(LanguageNames, SetTheIndexByTheFirstLetter) {
  LanguageIndexScope before(4);
  SetLanguageIndex(GetParam().name);
  EXPECT_EQ(GetLanguageIndex(), GetParam().index);
}

INSTANTIATE_TEST_SUITE_P(
    Letters, LanguageNames,
    testing::Values(LanguageNameCase{"ENGLISH", 1}, LanguageNameCase{"FRENCH", 2},
                    LanguageNameCase{"GERMAN", 3}, LanguageNameCase{"SPANISH", 4},
                    LanguageNameCase{"ITALIAN", 5}, LanguageNameCase{"CHINESE", 6},
                    // Unknown first letters, an empty text and none leave it as it was.
                    LanguageNameCase{"DUTCH", 4}, LanguageNameCase{"", 4},
                    LanguageNameCase{nullptr, 4}));

TEST(LanguageIndex, WideLeadBytesOnlyInChinese) {
  {
    LanguageIndexScope english(1);
    EXPECT_EQ(IsWideLeadByte(0xB0), 0);
  }
  LanguageIndexScope chinese(CHINESE_LANGUAGE_INDEX);
  EXPECT_EQ(IsWideLeadByte(0xA0), 1);
  EXPECT_EQ(IsWideLeadByte(0x9F), 0);
}

TEST(LanguageIndex, NumberCharacters) {
  std::string accepted;
  for (int c = 1; c < 256; ++c)
    if (IsNumberCharacter(static_cast<char>(c))) accepted += static_cast<char>(c);
  EXPECT_EQ(accepted, "-.0123456789");
}
