// Picker groups on a form's row.
#include <gtest/gtest.h>

#include <string>

#include "report/screen/form_fields_face.h"
#include "tests/screen/form_page.h"

namespace {

struct Group {
  int32_t length;
  int32_t field;
  std::string name;
  bool operator==(const Group&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Group& g) {
  return out << "{" << g.length << ", field " << g.field << ", \"" << g.name << "\"}";
}

Group GroupAt(const FormPage& page, int32_t cell) {
  int32_t field = -7;
  char name[PICK_NAME_SIZE] = "unset";
  const int32_t length = FindPickGroup(cell, page.form.data(), &field, name);
  return {length, field, name};
}

}  // namespace

TEST(PickGroups, EveryCellOfAGroupFindsIt) {
  FormPage page;
  page.form.put(Cell(6, 20), "[[AOIL]] [[BSTEAM]]");
  for (int32_t column = 20; column < 28; ++column)
    EXPECT_EQ(GroupAt(page, Cell(6, column)), (Group{8, 1, "OIL"})) << column;
  EXPECT_EQ(GroupAt(page, Cell(6, 33)), (Group{10, 2, "STEAM"}));
  EXPECT_EQ(GroupAt(page, Cell(6, 38)), (Group{10, 2, "STEAM"}));
}

TEST(PickGroups, BlanksBeforeTheLetterAndAfterTheName) {
  FormPage page;
  page.form.put(Cell(6, 0), "[[  CWATER cold ]]  [[D  x]]  [[    ]]");
  EXPECT_EQ(GroupAt(page, Cell(6, 5)), (Group{18, 3, "WATER"}));
  // A blank right after the letter: an empty name.
  EXPECT_EQ(GroupAt(page, Cell(6, 24)), (Group{8, 4, ""}));
  // All blank inside: the group, but no field or name.
  EXPECT_EQ(GroupAt(page, Cell(6, 33)), (Group{8, -7, "unset"}));
}

TEST(PickGroups, OutsideAGroupNone) {
  FormPage page;
  page.form.put(Cell(6, 0), "[[AX]] plain [[B");
  EXPECT_EQ(GroupAt(page, Cell(6, 8)).length, 0);   // "]]" stands between it and "[["
  EXPECT_EQ(GroupAt(page, Cell(6, 15)).length, 0);  // never closed
  EXPECT_EQ(GroupAt(page, Cell(9, 40)).length, 0);
  EXPECT_EQ(GroupAt(page, -1).length, 0);
  EXPECT_EQ(GroupAt(page, FORM_CELLS).length, 0);
}

TEST(PickGroups, AGroupStaysInItsRow) {
  FormPage page;
  // Brackets that meet only across a row's end make no group.
  page.form.put(Cell(7, 73), "[[AOIL]");
  page.form.put(Cell(8, 0), "] [[BX]]");
  EXPECT_EQ(GroupAt(page, Cell(7, 79)).length, 0);
  EXPECT_EQ(GroupAt(page, Cell(8, 0)).length, 0);
  page.form.put(Cell(9, 79), "[");
  page.form.put(Cell(10, 0), "[Cx]]");
  EXPECT_EQ(GroupAt(page, Cell(10, 0)).length, 0);
}
