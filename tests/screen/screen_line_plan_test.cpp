// The plan of the screen's lines: box lines from line characters, the fixed
// rules, underlines and field frames.
#include <gtest/gtest.h>

#include <vector>

#include "report/screen/screen_cells_face.h"
#include "tests/screen/screen_page.h"

namespace {

// 800 by 500 pixels: cells of 10 by 20, the grid from x = 5; half a cell is
// 5 pixels across and 10 down.
const ScreenGrid kGrid{800, 500};

struct Drawn {
  LineStep::Kind kind;
  LinePen pen;
  int32_t x1, y1, x2, y2;
  bool operator==(const Drawn&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Drawn& d) {
  return out << "{" << (d.kind == LineStep::Kind::kFrame ? "frame" : "line") << " pen "
             << static_cast<int>(d.pen) << ": " << d.x1 << "," << d.y1 << " - " << d.x2 << ","
             << d.y2 << "}";
}

constexpr LineStep::Kind kLine = LineStep::Kind::kLine;
constexpr LineStep::Kind kFrame = LineStep::Kind::kFrame;

class ScreenLinePlan : public testing::Test {
 protected:
  std::vector<Drawn> Plan(int32_t first_row, int32_t rows) {
    std::vector<Drawn> drawn;
    for (const LineStep& s :
         PlanScreenLines(text_.data(), attributes_.data(), first_row, rows, kGrid))
      drawn.push_back({s.kind, s.pen, s.x1, s.y1, s.x2, s.y2});
    return drawn;
  }
  // Only the vertical lines.
  std::vector<Drawn> Vertical(int32_t first_row, int32_t rows) {
    std::vector<Drawn> vertical;
    for (const Drawn& d : Plan(first_row, rows))
      if (d.kind == kLine && d.x1 == d.x2) vertical.push_back(d);
    return vertical;
  }

  ExactCells text_{SCREEN_CELLS};
  ExactCells attributes_{SCREEN_CELLS, 0};
  LanguageIndexScope english_{1};
};

TEST_F(ScreenLinePlan, ABarThreeDashesAndABarDrawOneLineFromCentreToCentre) {
  text_.put(Cell(3, 10), "|---|+");
  std::memset(attributes_.data() + Cell(3, 10), 2, 6);
  EXPECT_EQ(Plan(3, 1), (std::vector<Drawn>{{kLine, LinePen::kAttribute2, 110, 70, 150, 70}}));
}

TEST_F(ScreenLinePlan, APenByTheFirstCellsAttribute) {
  text_.put(Cell(1, 0), "-- -- -- --");
  attributes_[Cell(1, 0)] = 1;
  attributes_[Cell(1, 3)] = 3;
  attributes_[Cell(1, 6)] = 4;
  attributes_[Cell(1, 9)] = 0;
  std::vector<LinePen> pens;
  for (const Drawn& d : Plan(1, 1)) pens.push_back(d.pen);
  EXPECT_EQ(pens, (std::vector<LinePen>{LinePen::kAttribute1, LinePen::kAttribute3,
                                        LinePen::kDefault, LinePen::kDefault}));
}

TEST_F(ScreenLinePlan, ALineStillOpenAtTheRowsEndIsNotDrawn) {
  text_.put(Cell(2, 75), "-----");
  EXPECT_TRUE(Plan(2, 1).empty());
}

TEST_F(ScreenLinePlan, UnderlinesOfSeventyNineAndSixtyCells) {
  attributes_[Cell(2, 79)] = 'u';
  attributes_[Cell(3, 79)] = 'v';
  EXPECT_EQ(Plan(2, 2), (std::vector<Drawn>{{kLine, LinePen::kDefault, 5, 60, 790, 60},
                                            {kLine, LinePen::kDefault, 5, 80, 600, 80}}));
}

TEST_F(ScreenLinePlan, AFourCellFieldIsFramedFromTwoPixelsLeftOfItsFirstCell) {
  std::memset(attributes_.data() + Cell(4, 10), ATTRIBUTE_FIELD, 4);
  EXPECT_EQ(Plan(4, 1), (std::vector<Drawn>{{kFrame, LinePen::kFieldFrame, 103, 80, 145, 100}}));
}

TEST_F(ScreenLinePlan, TheRuleAboveTheKeyRowsAndTheShadedStripsTop) {
  text_.put(Cell(20, 0), "|--|");
  // The two bars also stand for a vertical line of one cell each.
  EXPECT_EQ(Plan(20, 3), (std::vector<Drawn>{{kLine, LinePen::kDefault, 10, 410, 40, 410},
                                             {kLine, LinePen::kDefault, 0, 459, 800, 459},
                                             {kLine, LinePen::kDefault, 10, 400, 10, 420},
                                             {kLine, LinePen::kDefault, 40, 400, 40, 420}}));
  // A shaded row 21 draws the strip's top instead of row 21's box lines.
  attributes_[Cell(20, 0)] = ATTRIBUTE_SHADED;
  EXPECT_EQ(Plan(20, 1), (std::vector<Drawn>{{kLine, LinePen::kDefault, 0, 400, 800, 400}}));
  // Its bars still stand for vertical lines: the strip's top and those two.
  EXPECT_EQ(Plan(20, 2).size(), 3u);
}

TEST_F(ScreenLinePlan, AVerticalBoxSide) {
  text_.put(Cell(1, 2), "|--|");
  text_.put(Cell(2, 2), "|  |");
  text_.put(Cell(3, 2), "|--|");
  EXPECT_EQ(Vertical(0, 6), (std::vector<Drawn>{{kLine, LinePen::kDefault, 30, 30, 30, 70},
                                                {kLine, LinePen::kDefault, 60, 30, 60, 70}}));
}

TEST_F(ScreenLinePlan, EachColumnStartsWithNoInsets) {
  // Column 3 ends with a line open at the bottom that started at a cell's middle.
  text_.put(Cell(23, 3), "|-");
  text_.put(Cell(24, 3), "|");
  // Column 4: a plain bar over rows 6 to 8, drawn over its whole cells.
  for (int32_t row = 6; row <= 8; ++row) text_[Cell(row, 4)] = '|';
  EXPECT_EQ(Vertical(0, 25), (std::vector<Drawn>{{kLine, LinePen::kDefault, 50, 120, 50, 180}}));
}

TEST_F(ScreenLinePlan, RowsAreCutToTheScreen) {
  text_.put(Cell(24, 60), "|---|");
  text_.put(1995, "|---|");
  text_[1999 - ROW_CELLS] = '|';
  EXPECT_EQ(Plan(-5, 100), Plan(0, 25));
  EXPECT_EQ(Plan(24, 1).size(), 1u);
  EXPECT_TRUE(Plan(25, 3).empty());
  EXPECT_TRUE(Plan(0, 0).empty());
}

}  // namespace
