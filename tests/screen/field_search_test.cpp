// Fields of a form found forwards, backwards and by number.
#include <gtest/gtest.h>

#include "report/screen/form_fields_face.h"
#include "tests/screen/form_page.h"

namespace {

struct Found {
  int32_t length;
  int32_t start;
  bool operator==(const Found&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Found& f) {
  return out << "{" << f.length << " from " << f.start << "}";
}

Found Nth(int32_t n, const FormPage& page) {
  int32_t start = -7;
  const int32_t length = GetNthField(n, page.form.data(), &start);
  return {length, length > 0 ? start : -7};
}

}  // namespace

TEST(FieldSearch, FieldsOneCellApartAreFoundOneByOne) {
  FormPage page;
  page.form.put(Cell(2, 10), "### ### ###");
  EXPECT_EQ(Nth(1, page), (Found{3, Cell(2, 10)}));
  EXPECT_EQ(Nth(2, page), (Found{3, Cell(2, 14)}));
  EXPECT_EQ(Nth(3, page), (Found{3, Cell(2, 18)}));
  EXPECT_EQ(Nth(4, page), (Found{0, -7}));
}

TEST(FieldSearch, FieldsFurtherApartAndOverLineEnds) {
  FormPage page;
  page.form.put(Cell(1, 5), "@@@@   ##");
  page.form.put(Cell(3, 78), "####");  // from line 4's end into line 5
  EXPECT_EQ(Nth(1, page), (Found{4, Cell(1, 5)}));
  EXPECT_EQ(Nth(2, page), (Found{2, Cell(1, 12)}));
  EXPECT_EQ(Nth(3, page), (Found{4, Cell(3, 78)}));
}

TEST(FieldSearch, AFieldAtCellZeroIsTheFirst) {
  FormPage page;
  page.form.put(0, "##  ###");
  EXPECT_EQ(Nth(1, page), (Found{2, 0}));
  EXPECT_EQ(Nth(2, page), (Found{3, 4}));
}

TEST(FieldSearch, NoFieldBeforeTheFirstOrAfterTheLast) {
  FormPage page;
  page.form.put(Cell(5, 0), "###");
  EXPECT_EQ(Nth(0, page), (Found{0, -7}));
  EXPECT_EQ(Nth(-3, page), (Found{0, -7}));
  EXPECT_EQ(Nth(2, page), (Found{0, -7}));
  const FormPage empty;
  EXPECT_EQ(Nth(1, empty), (Found{0, -7}));
}

TEST(FieldSearch, AFieldReachingTheLastSearchedCellHasNoEnd) {
  FormPage page;
  page.form.put(1670, "#########");  // cells 1670 to 1678
  EXPECT_EQ(Nth(1, page), (Found{0, -7}));
}

TEST(FieldBoundary, TheNextStartOrTheFirstCellAfterTheField) {
  FormPage page;
  page.form.put(Cell(2, 10), "###   @@");
  EXPECT_EQ(FindFieldBoundary(0, page.form.data()), Cell(2, 10));
  EXPECT_EQ(FindFieldBoundary(Cell(2, 11), page.form.data()), Cell(2, 13));
  EXPECT_EQ(FindFieldBoundary(Cell(2, 13), page.form.data()), Cell(2, 16));
  // From after the last field the search wraps round to the first.
  EXPECT_EQ(FindFieldBoundary(Cell(2, 18), page.form.data()), Cell(2, 10));
  EXPECT_EQ(FindFieldBoundary(-1, page.form.data()), -1);
  EXPECT_EQ(FindFieldBoundary(FORM_CELLS, page.form.data()), -1);
}

TEST(FieldBoundary, NeverLooksAtCell1679WhichTheBackwardSearchDoes) {
  FormPage page;
  page.form[1679] = '#';
  EXPECT_EQ(FindFieldBoundary(0, page.form.data()), -1);
  EXPECT_EQ(FindPreviousFieldStart(0, page.form.data()), 1679);
}

TEST(PreviousFieldStart, FromInsideAFieldItsOwnStartFromItsFirstCellThePreviousOne) {
  FormPage page;
  page.form.put(Cell(2, 10), "###  ####");
  EXPECT_EQ(FindPreviousFieldStart(Cell(2, 17), page.form.data()), Cell(2, 15));
  EXPECT_EQ(FindPreviousFieldStart(Cell(2, 15), page.form.data()), Cell(2, 10));
  EXPECT_EQ(FindPreviousFieldStart(Cell(2, 14), page.form.data()), Cell(2, 10));
  // Backwards from the first field the search wraps round to the last.
  EXPECT_EQ(FindPreviousFieldStart(Cell(2, 10), page.form.data()), Cell(2, 15));
  const FormPage empty;
  EXPECT_EQ(FindPreviousFieldStart(100, empty.form.data()), -1);
  EXPECT_EQ(FindPreviousFieldStart(-5, page.form.data()), -1);
}
