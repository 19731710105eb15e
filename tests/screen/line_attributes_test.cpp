// The attributes a form's lines take from their control characters.
#include <gtest/gtest.h>

#include <string>

#include "report/screen/form_fields_face.h"
#include "report/screen/screen_cells_face.h"
#include "tests/screen/form_page.h"

namespace {

struct ControlCase {
  char control;
  int32_t line;
  char attribute;
};

class ControlCharacters : public testing::TestWithParam<ControlCase> {};

TEST_P(ControlCharacters, GiveTheLineItsAttribute) {
  const ControlCase& c = GetParam();
  FormPage page;
  page.form[Cell(c.line, 79)] = c.control;
  page.text.put(Cell(c.line, 0), "Label");
  page.text[Cell(c.line, 79)] = c.control;
  MapLineAttributes(page.text.data(), page.form.data(), page.attributes.data());
  EXPECT_EQ(page.attributes[Cell(c.line, 0)], c.attribute);
  EXPECT_EQ(page.attributes[Cell(c.line, 79)], c.attribute);
  EXPECT_EQ(page.text[Cell(c.line, 79)], ' ');
}

INSTANTIATE_TEST_SUITE_P(
    Table, ControlCharacters,
    testing::Values(ControlCase{'\'', 3, 2}, ControlCase{'G', 3, 2}, ControlCase{'g', 3, 2},
                    ControlCase{'0', 3, 1}, ControlCase{'1', 3, 1}, ControlCase{'7', 3, 1},
                    ControlCase{'W', 3, 1}, ControlCase{'w', 3, 1}, ControlCase{'x', 3, 1},
                    ControlCase{'2', 3, 3}, ControlCase{'R', 3, 3}, ControlCase{'r', 3, 3},
                    ControlCase{'9', 3, 4}, ControlCase{'Y', 3, 4}, ControlCase{'y', 3, 4},
                    ControlCase{'X', 3, 3}, ControlCase{'X', 20, 7}, ControlCase{'X', 21, 7},
                    ControlCase{'u', 3, 'u'}, ControlCase{'v', 3, 'v'}, ControlCase{'"', 3, 0},
                    ControlCase{'B', 3, 0}, ControlCase{'b', 3, 0}, ControlCase{'Q', 3, 0}));

TEST(MapLineAttributes, InputCellsAreFields) {
  FormPage page;
  page.form.put(Cell(5, 0), "Flow ### kg/s @@ `");
  page.form[Cell(5, 79)] = 'G';
  MapLineAttributes(page.text.data(), page.form.data(), page.attributes.data());
  EXPECT_EQ(page.attributes.at(Cell(5, 0), 18),
            std::string("\2\2\2\2\2\5\5\5\2\2\2\2\2\2\5\5\2\5"));
}

TEST(MapLineAttributes, AnXLineHidesItsInputCells) {
  FormPage page;
  page.form.put(Cell(20, 0), "Key ###");
  page.form[Cell(20, 79)] = 'X';
  page.form.put(Cell(5, 0), "Key ###");
  page.form[Cell(5, 79)] = 'X';
  MapLineAttributes(page.text.data(), page.form.data(), page.attributes.data());
  EXPECT_EQ(page.form.at(Cell(20, 0), 7), "Key    ");
  EXPECT_EQ(page.attributes.at(Cell(20, 4), 3), std::string(3, ATTRIBUTE_SHADED));
  EXPECT_EQ(page.form.at(Cell(5, 0), 7), "Key    ");
  EXPECT_EQ(page.attributes.at(Cell(5, 4), 3), std::string(3, '\3'));
}

TEST(MapLineAttributes, TheStripBelowAnXOrTwoRLinesIsShaded) {
  FormPage page;
  page.form[Cell(21, 79)] = 'R';
  page.form[Cell(22, 79)] = 'R';
  page.form.put(Cell(22, 10), "##");
  MapLineAttributes(page.text.data(), page.form.data(), page.attributes.data());
  EXPECT_EQ(page.attributes[Cell(21, 0)], ATTRIBUTE_SHADED);
  EXPECT_EQ(page.attributes[Cell(22, 0)], ATTRIBUTE_SHADED);
  EXPECT_EQ(page.attributes[Cell(22, 10)], ATTRIBUTE_FIELD);
  EXPECT_EQ(page.attributes[Cell(20, 0)], 0);

  FormPage x_above;
  x_above.form[Cell(20, 79)] = 'X';
  MapLineAttributes(x_above.text.data(), x_above.form.data(), x_above.attributes.data());
  EXPECT_EQ(x_above.attributes[Cell(21, 0)], ATTRIBUTE_SHADED);
  EXPECT_EQ(x_above.attributes[Cell(22, 0)], ATTRIBUTE_SHADED);
  EXPECT_EQ(x_above.attributes[Cell(23, 0)], 0);
}

}  // namespace
