// The plan of a stretch of screen cells: what is written where, in which font
// and colours, with values aligned on their marks and leaders stretched.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/screen/screen_cells_face.h"
#include "tests/screen/screen_page.h"

namespace {

// 800 by 500 pixels: cells of 10 by 20, the grid from x = 5.
const ScreenGrid kGrid{800, 500};

// A font whose every character is the same number of pixels wide.
MeasureText FixedWidth(int32_t pixels) {
  return [pixels](std::string_view text) { return static_cast<int32_t>(text.size()) * pixels; };
}

struct Shown {
  int32_t x;
  int32_t y;
  std::string text;
  bool operator==(const Shown&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Shown& s) {
  return out << "{" << s.x << ", " << s.y << ", \"" << s.text << "\"}";
}

// The texts written in the text font, as they show: trailing blanks leave no mark.
std::vector<Shown> TextsShown(const std::vector<CellStep>& steps) {
  std::vector<Shown> shown;
  for (const CellStep& step : steps) {
    if (step.kind != CellStep::Kind::kText || step.font != ScreenFont::kText) continue;
    const std::size_t end = step.text.find_last_not_of(' ');
    if (end != std::string::npos) shown.push_back({step.x, step.y, step.text.substr(0, end + 1)});
  }
  return shown;
}

std::vector<const CellStep*> StepsOf(const std::vector<CellStep>& steps, CellStep::Kind kind) {
  std::vector<const CellStep*> out;
  for (const CellStep& step : steps)
    if (step.kind == kind) out.push_back(&step);
  return out;
}

// Fills a whole row's attributes.
void RowAttributes(int32_t row, char attribute) {
  std::memset(SCREEN_ATTRIBUTES + row * ROW_CELLS, attribute, ROW_CELLS);
}

std::vector<CellStep> PlanRows(int32_t first_row, int32_t rows, int32_t char_width = 7) {
  return PlanCells(SCREEN_TEXT + first_row * ROW_CELLS, SCREEN_ATTRIBUTES + first_row * ROW_CELLS,
                   rows * ROW_CELLS, first_row * ROW_CELLS, kGrid, FixedWidth(char_width));
}

class CellPlan : public testing::Test {
 protected:
  ScreenBuffersScope screen_;
  LanguageIndexScope english_{1};
};

TEST_F(CellPlan, EachSegmentStartsAtItsOwnCell) {
  RowAttributes(0, 1);
  std::memcpy(SCREEN_TEXT, "Flow:  12  kg/s", 15);
  EXPECT_EQ(TextsShown(PlanRows(0, 1)),
            (std::vector<Shown>{{5, 0, "Flow:"}, {75, 0, "12"}, {115, 0, "kg/s"}}));
}

TEST_F(CellPlan, ARunEndingAtAFieldKeepsItsLastCharacter) {
  RowAttributes(4, 1);
  std::memset(SCREEN_ATTRIBUTES + Cell(4, 5), ATTRIBUTE_FIELD, 4);
  std::memcpy(SCREEN_TEXT + Cell(4, 0), "Flow:1.50", 9);
  const std::vector<CellStep> steps = PlanRows(4, 1);
  EXPECT_EQ(TextsShown(steps), (std::vector<Shown>{{5, 80, "Flow:"}}));
  // The field's four cells in the field font, framed along their top and bottom.
  const std::vector<const CellStep*> texts = StepsOf(steps, CellStep::Kind::kText);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[1]->font, ScreenFont::kField);
  EXPECT_EQ(texts[1]->text, "1.50");
  EXPECT_EQ(texts[1]->x, kGrid.x(Cell(4, 5)));
  const std::vector<const CellStep*> frame = StepsOf(steps, CellStep::Kind::kFrameLine);
  ASSERT_EQ(frame.size(), 2u);
  EXPECT_EQ(frame[0]->x, 55);
  EXPECT_EQ(frame[0]->to_x, 95);
  EXPECT_EQ(frame[0]->y, 80);
  EXPECT_EQ(frame[1]->y, 100);
  EXPECT_EQ(frame[1]->to_y, 100);
  // Each run first takes its attribute's colours.
  const std::vector<const CellStep*> colours = StepsOf(steps, CellStep::Kind::kColours);
  ASSERT_EQ(colours.size(), 3u);
  EXPECT_EQ(colours[0]->attribute, 1);
  EXPECT_EQ(colours[1]->attribute, ATTRIBUTE_FIELD);
  EXPECT_EQ(colours[2]->attribute, 1);
}

TEST_F(CellPlan, OnlyARowsEightiethCellStaysUnwritten) {
  RowAttributes(1, 2);
  std::memset(SCREEN_TEXT + Cell(1, 0), 'x', ROW_CELLS);
  EXPECT_EQ(TextsShown(PlanRows(1, 1)), (std::vector<Shown>{{5, 20, std::string(79, 'x')}}));
  // A call that ends inside a row writes up to its last cell.
  EXPECT_EQ(TextsShown(PlanCells(SCREEN_TEXT + Cell(1, 0), SCREEN_ATTRIBUTES + Cell(1, 0), 10,
                                 Cell(1, 0), kGrid, FixedWidth(7))),
            (std::vector<Shown>{{5, 20, std::string(10, 'x')}}));
  // A run of one cell: written, unless it is column 80.
  EXPECT_EQ(TextsShown(PlanCells(SCREEN_TEXT + Cell(1, 40), SCREEN_ATTRIBUTES + Cell(1, 40), 1,
                                 Cell(1, 40), kGrid, FixedWidth(7))),
            (std::vector<Shown>{{405, 20, "x"}}));
  EXPECT_TRUE(TextsShown(PlanCells(SCREEN_TEXT + Cell(1, 79), SCREEN_ATTRIBUTES + Cell(1, 79), 1,
                                   Cell(1, 79), kGrid, FixedWidth(7)))
                  .empty());
}

TEST_F(CellPlan, TheEightiethCellPaintsInTheRunOfTheSeventyNinthAndKeepsItsAttribute) {
  std::vector<char> attributes(ROW_CELLS + 1, 3);
  attributes[79] = 42;
  attributes[80] = 43;
  const std::string text(ROW_CELLS + 1, 'a');
  // One run of attribute 3 over the whole row, its 80th cell unwritten.
  const std::vector<CellStep> steps =
      PlanCells(text.data(), attributes.data(), 80, 0, kGrid, FixedWidth(7));
  const std::vector<const CellStep*> colours = StepsOf(steps, CellStep::Kind::kColours);
  ASSERT_EQ(colours.size(), 1u);
  EXPECT_EQ(colours[0]->attribute, 3);
  EXPECT_EQ(TextsShown(steps), (std::vector<Shown>{{5, 0, std::string(79, 'a')}}));
  EXPECT_EQ(attributes[79], 42);
  EXPECT_EQ(attributes[80], 43);
}

// What the cells' painting leaves in the buffers is what the lines are drawn
// from: a field that ends at column 79 is framed, and a row marked for an
// underline keeps it, however often the screen is painted.
TEST_F(CellPlan, PaintingLeavesTheFramesAndUnderlinesOfTheRowsEnd) {
  RowAttributes(3, 1);
  std::memset(SCREEN_ATTRIBUTES + Cell(3, 75), ATTRIBUTE_FIELD, 4);
  RowAttributes(6, static_cast<char>(ATTRIBUTE_UNDERLINE));
  std::memset(SCREEN_ATTRIBUTES + Cell(6, 76), ATTRIBUTE_FIELD, 3);
  RowAttributes(9, static_cast<char>(ATTRIBUTE_SHORT_UNDERLINE));
  SCREEN_ATTRIBUTES[Cell(9, 78)] = 2;
  for (int repaint = 0; repaint < 2; ++repaint) {
    PlanRows(0, SCREEN_ROWS);
    std::vector<LineStep> frames;
    std::vector<LineStep> underlines;
    for (const LineStep& step :
         PlanScreenLines(SCREEN_TEXT, SCREEN_ATTRIBUTES, 0, SCREEN_ROWS, kGrid))
      (step.kind == LineStep::Kind::kFrame ? frames : underlines).push_back(step);
    ASSERT_EQ(frames.size(), 2u) << repaint;
    EXPECT_EQ(frames[0].x1, kGrid.x(Cell(3, 75)) - 2);
    EXPECT_EQ(frames[0].x2, kGrid.x(Cell(3, 79)));
    EXPECT_EQ(frames[0].y1, kGrid.y(Cell(3, 0)));
    EXPECT_EQ(frames[1].x1, kGrid.x(Cell(6, 76)) - 2);
    EXPECT_EQ(frames[1].y1, kGrid.y(Cell(6, 0)));
    // The rule above row 23, and the two underlines.
    ASSERT_EQ(underlines.size(), 3u) << repaint;
    EXPECT_EQ(underlines[0].y1, kGrid.y(Cell(6, 0)) + 20);
    EXPECT_EQ(underlines[0].x2, kGrid.x(Cell(6, 79)) - 5);
    EXPECT_EQ(underlines[1].y1, kGrid.y(Cell(9, 0)) + 20);
    EXPECT_EQ(underlines[1].x2, kGrid.x(Cell(9, 60)) - 5);
  }
  EXPECT_EQ(SCREEN_ATTRIBUTES[Cell(3, 79)], 1);
  EXPECT_EQ(SCREEN_ATTRIBUTES[Cell(6, 79)], static_cast<char>(ATTRIBUTE_UNDERLINE));
}

TEST_F(CellPlan, LineCharactersAreNeverWritten) {
  RowAttributes(2, 1);
  std::memcpy(SCREEN_TEXT + Cell(2, 0), "|---| ok +--+", 13);
  EXPECT_EQ(TextsShown(PlanRows(2, 1)), (std::vector<Shown>{{65, 40, "ok +"}, {125, 40, "+"}}));
}

TEST_F(CellPlan, BoxCharactersAreTextInChinese) {
  RowAttributes(2, 1);
  std::memcpy(SCREEN_TEXT + Cell(2, 0), "\xC4\xC4\xB3 ab", 6);
  EXPECT_EQ(TextsShown(PlanRows(2, 1)), (std::vector<Shown>{{45, 40, "ab"}}));
  LanguageIndexScope chinese(CHINESE_LANGUAGE_INDEX);
  const std::vector<CellStep> steps = PlanRows(2, 1);
  EXPECT_EQ(TextsShown(steps), (std::vector<Shown>{{5, 40, "\xC4\xC4\xB3 ab"}}));
  for (const CellStep* text : StepsOf(steps, CellStep::Kind::kText)) EXPECT_FALSE(text->from_oem);
}

TEST_F(CellPlan, ALeftAlignedValueIsTheNumberWithoutItsUnit) {
  RowAttributes(2, 1);
  std::memcpy(SCREEN_TEXT + Cell(2, 0), "Mass", 4);
  screen_.Merge(Cell(2, 10), '{', "12  kg");
  EXPECT_EQ(TextsShown(PlanRows(2, 1)),
            (std::vector<Shown>{{5, 40, "Mass"}, {105, 40, "12"}, {145, 40, "kg"}}));
}

TEST_F(CellPlan, ARightAlignedValueEndsAtItsCellsRightEdge) {
  RowAttributes(3, 1);
  std::memcpy(SCREEN_TEXT + Cell(3, 0), "Flow rate", 9);
  screen_.Merge(Cell(3, 20), '}', "1234");
  EXPECT_EQ(TextsShown(PlanRows(3, 1, 7)),
            (std::vector<Shown>{{5, 60, "Flow rate"}, {205 + 10 - 28, 60, "1234"}}));
}

TEST_F(CellPlan, AColumnOfEqualsSignsAlignsTheLabelsBeforeThem) {
  RowAttributes(5, 1);
  RowAttributes(6, 1);
  std::memcpy(SCREEN_TEXT + Cell(5, 0), "Heat area = 12", 14);
  std::memcpy(SCREEN_TEXT + Cell(6, 0), "Mass flow = 3", 13);
  const int32_t equals_right = kGrid.x(Cell(5, 10)) + 10;
  EXPECT_EQ(TextsShown(PlanRows(5, 2, 7)), (std::vector<Shown>{{5, 100, "Heat"},
                                                               {equals_right - 42, 100, "area ="},
                                                               {125, 100, "12"},
                                                               {5, 120, "Mass"},
                                                               {equals_right - 42, 120, "flow ="},
                                                               {125, 120, "3"}}));
  // With no other '=' in the call's column the '=' is ordinary text.
  EXPECT_EQ(TextsShown(PlanRows(5, 1, 7)), (std::vector<Shown>{{5, 100, "Heat area = 12"}}));
}

TEST_F(CellPlan, ACentredValueIsCentredOnItsCell) {
  RowAttributes(1, 1);
  screen_.Merge(Cell(1, 40), '~', "Steam");
  std::memcpy(SCREEN_TEXT + Cell(1, 60), "side", 4);
  EXPECT_EQ(TextsShown(PlanRows(1, 1, 7)),
            (std::vector<Shown>{{405 - (35 - 10) / 2, 20, "Steam"}, {605, 20, "side"}}));
}

TEST_F(CellPlan, ACentredValueIsLookedForWithinTheCallOnly) {
  RowAttributes(1, 1);
  screen_.Merge(Cell(1, 40), '~', "Steam");
  // A call from the mark's cell: the value's first cells lie before it.
  const std::vector<CellStep> steps =
      PlanCells(SCREEN_TEXT + Cell(1, 40), SCREEN_ATTRIBUTES + Cell(1, 40), 40, Cell(1, 40), kGrid,
                FixedWidth(7));
  EXPECT_EQ(TextsShown(steps), (std::vector<Shown>{{405 - (35 - 10) / 2, 20, "Steam"}}));
}

TEST_F(CellPlan, AnEmptyLeftValueLeavesTheCellsTextAndTheWalkGoesOn) {
  RowAttributes(2, 1);
  screen_.Merge(Cell(2, 10), '{', "");
  SCREEN_TEXT[Cell(2, 10)] = 'x';
  std::memcpy(SCREEN_TEXT + Cell(2, 20), "after", 5);
  EXPECT_EQ(TextsShown(PlanRows(2, 1)), (std::vector<Shown>{{105, 40, "x"}, {205, 40, "after"}}));
}

TEST_F(CellPlan, AOneBlankCentredValueBesideABlankDoesNotTakeTheWalkBack) {
  // A form loaded under the last page's '~' mark: no value merged there.
  RowAttributes(4, 1);
  LAYOUT_MARKS[Cell(4, 30)] = '~';
  SCREEN_TEXT[Cell(4, 30)] = 'Z';
  std::memcpy(SCREEN_TEXT + Cell(4, 35), "rest", 4);
  const std::vector<Shown> shown = TextsShown(PlanRows(4, 1));
  ASSERT_FALSE(shown.empty());
  EXPECT_EQ(shown.back(), (Shown{355, 80, "rest"}));
}

TEST_F(CellPlan, ValuesAreCutToTheirRun) {
  RowAttributes(1, 1);
  // One value of 1990 characters, merged at a '{' near the row's end and a
  // '}' near its start.
  std::memset(FIELD_DATA, 'v', 1990);
  FIELD_DATA[1990] = FIELD_SEPARATOR;
  FIELD_DATA[1991] = FIELD_DATA_END;
  FIELD_INDEX[Cell(1, 70)] = 0;
  LAYOUT_MARKS[Cell(1, 70)] = '{';
  FIELD_INDEX[Cell(1, 5)] = 0;
  LAYOUT_MARKS[Cell(1, 5)] = '}';
  std::memset(SCREEN_TEXT + Cell(1, 0), 'v', 6);
  std::memset(SCREEN_TEXT + Cell(1, 70), 'v', 10);
  EXPECT_EQ(TextsShown(PlanRows(1, 1, 7)),
            (std::vector<Shown>{{55 + 10 - 42, 20, "vvvvvv"}, {705, 20, "vvvvvvvvv"}}));
}

TEST_F(CellPlan, ALeaderGainsFewerDotsInAWideFontAndTheNumberStaysAtItsCell) {
  RowAttributes(7, 1);
  std::memcpy(SCREEN_TEXT + Cell(7, 0), "Length.......12", 15);
  const int32_t number_cell_x = kGrid.x(Cell(7, 13));
  std::vector<int32_t> added;
  for (int32_t width : {6, 9}) {
    const std::vector<Shown> shown = TextsShown(PlanRows(7, 1, width));
    ASSERT_EQ(shown.size(), 1u);
    const std::string& text = shown[0].text;
    ASSERT_EQ(text.substr(0, 6), "Length");
    ASSERT_EQ(text.substr(text.size() - 2), "12");
    added.push_back(static_cast<int32_t>(text.size()) - 15);
    const int32_t number_x = shown[0].x + static_cast<int32_t>(text.size() - 2) * width;
    EXPECT_LE(number_x, number_cell_x);
    EXPECT_GT(number_x, number_cell_x - width);
  }
  EXPECT_GT(added[0], added[1]);
  EXPECT_GT(added[1], 0);
}

TEST_F(CellPlan, ALeaderStaysWithinItsBuffer) {
  // Cells of 10 pixels and dots of one: the gap would take hundreds of dots.
  const std::string text = "a..b";
  const CellStep step = PlanLeaderSegment(text.data(), 0, 4, ScreenGrid{80 * 1000, 500},
                                          [](std::string_view t) { return int32_t(t.size()); });
  EXPECT_EQ(step.text.size(), static_cast<std::size_t>(LEADER_TEXT_LIMIT));
  EXPECT_EQ(step.text.substr(0, 3), "a..");
  EXPECT_EQ(step.text.back(), 'b');
  // No dot width, no stretching.
  EXPECT_EQ(PlanLeaderSegment(text.data(), 0, 4, kGrid, [](std::string_view) { return 0; }).text,
            "a..b");
}

TEST_F(CellPlan, TheStatusRowIsWrittenAsItStandsInTwoParts) {
  RowAttributes(24, ATTRIBUTE_STATUS);
  std::memcpy(SCREEN_TEXT + STATUS_ROW_CELL, "Ready", 5);
  std::memcpy(SCREEN_TEXT + STATUS_ROW_CELL + 70, "Page 1", 6);
  SCREEN_TEXT[STATUS_ROW_CELL + 79] = '#';
  const std::vector<CellStep> steps = PlanRows(24, 1);
  const std::vector<const CellStep*> texts = StepsOf(steps, CellStep::Kind::kText);
  ASSERT_EQ(texts.size(), 3u);
  // The caption-coloured strip from half a cell left of the grid.
  EXPECT_EQ(texts[0]->font, ScreenFont::kField);
  EXPECT_EQ(texts[0]->text, std::string(81, ' '));
  EXPECT_EQ(texts[0]->x, 0);
  EXPECT_EQ(texts[1]->text, std::string(SCREEN_TEXT + STATUS_ROW_CELL, 64));
  EXPECT_EQ(texts[1]->x, 5);
  EXPECT_EQ(texts[2]->text, std::string(SCREEN_TEXT + STATUS_RIGHT_CELL, 15));
  EXPECT_EQ(texts[2]->x, kGrid.x(STATUS_RIGHT_CELL));
  EXPECT_EQ(texts[2]->y, 480);
  for (const CellStep* text : texts) EXPECT_FALSE(text->from_oem);
}

// A run in the status row's colours on another row is written whole on its
// own row; nothing of it goes to row 25.
TEST_F(CellPlan, AStatusColouredRunOnAnotherRowStaysOnItsRow) {
  struct Run {
    int32_t row;
    int32_t first_column;
  };
  for (const Run& run : {Run{5, 0}, Run{23, 60}, Run{0, 70}}) {
    ScreenBuffersScope screen;
    std::memset(SCREEN_ATTRIBUTES + Cell(run.row, run.first_column), ATTRIBUTE_STATUS,
                static_cast<std::size_t>(ROW_CELLS - run.first_column));
    std::memset(SCREEN_TEXT + Cell(run.row, run.first_column), 's',
                static_cast<std::size_t>(ROW_CELLS - run.first_column));
    const std::vector<CellStep> steps = PlanRows(run.row, 1);
    const std::vector<const CellStep*> texts = StepsOf(steps, CellStep::Kind::kText);
    ASSERT_EQ(texts.size(), 2u) << run.row;
    EXPECT_EQ(texts[0]->text, std::string(81, ' '));
    EXPECT_EQ(texts[1]->text, std::string(static_cast<std::size_t>(79 - run.first_column), 's'))
        << run.row;
    EXPECT_EQ(texts[1]->x, kGrid.x(Cell(run.row, run.first_column)));
    for (const CellStep* text : texts) EXPECT_EQ(text->y, kGrid.y(Cell(run.row, 0))) << run.row;
  }
}

TEST_F(CellPlan, AShortStatusRunWritesItsOwnCharactersOnly) {
  RowAttributes(24, 1);
  std::memset(SCREEN_ATTRIBUTES + STATUS_ROW_CELL, ATTRIBUTE_STATUS, 10);
  std::memcpy(SCREEN_TEXT + STATUS_ROW_CELL, "Ready now  and more", 19);
  const std::vector<CellStep> steps = PlanRows(24, 1);
  const std::vector<const CellStep*> texts = StepsOf(steps, CellStep::Kind::kText);
  ASSERT_GE(texts.size(), 3u);
  EXPECT_EQ(texts[1]->text, "Ready now ");
  EXPECT_EQ(texts[2]->text.substr(0, 8), "and more");
  EXPECT_EQ(texts[2]->x, kGrid.x(STATUS_ROW_CELL + 11));
}

TEST_F(CellPlan, AShadedRowLiesOnAStripFromTheRowsStart) {
  RowAttributes(21, ATTRIBUTE_SHADED);
  std::memcpy(SCREEN_TEXT + Cell(21, 30), "F1=Help", 7);
  const std::vector<CellStep> steps =
      PlanCells(SCREEN_TEXT + Cell(21, 30), SCREEN_ATTRIBUTES + Cell(21, 30), 50, Cell(21, 30),
                kGrid, FixedWidth(7));
  const std::vector<const CellStep*> texts = StepsOf(steps, CellStep::Kind::kText);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0]->font, ScreenFont::kField);
  EXPECT_EQ(texts[0]->x, 0);
  EXPECT_EQ(texts[0]->y, 420);
  EXPECT_EQ(TextsShown(steps), (std::vector<Shown>{{305, 420, "F1=Help"}}));
}

TEST_F(CellPlan, ACallIsCutToTheScreen) {
  ExactCells text(50, 'q');
  ExactCells attributes(50, 1);
  EXPECT_EQ(TextsShown(PlanCells(text.data(), attributes.data(), 50, 1990, kGrid, FixedWidth(7))),
            (std::vector<Shown>{{kGrid.x(1990), 480, std::string(9, 'q')}}));
  EXPECT_TRUE(PlanCells(text.data(), attributes.data(), -1, 0, kGrid, FixedWidth(7)).empty());
  EXPECT_TRUE(PlanCells(text.data(), attributes.data(), 5, 2000, kGrid, FixedWidth(7)).empty());
  EXPECT_TRUE(PlanCells(text.data(), attributes.data(), 5, -3, kGrid, FixedWidth(7)).empty());
}

}  // namespace
