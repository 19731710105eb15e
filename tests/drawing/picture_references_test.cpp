// Picture references: the name and cells of one reference, and the bracket
// pairs of a template header.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/drawing/picture_references_face.h"

namespace {

TEST(PictureReferenceTest, NameAndCells) {
  PictureReference ref;
  ASSERT_TRUE(ParsePictureReference("PLATE 1 3 40 20", 0, &ref));
  EXPECT_STREQ(ref.name, "PLATE.DQD");
  EXPECT_EQ(ref.first_cell, 160);
  EXPECT_EQ(ref.last_cell, 1559);
  ASSERT_TRUE(ParsePictureReference("  LOGO.EMF 41 1 80 10 extra", 80 * 5, &ref));
  EXPECT_STREQ(ref.name, "LOGO.EMF");
  EXPECT_EQ(ref.first_cell, 440);
  EXPECT_EQ(ref.last_cell, 799 + 400);
}

struct Refused {
  const char* what;
  std::string reference;
};

class PictureReferenceRefusedTest : public ::testing::TestWithParam<Refused> {};

TEST_P(PictureReferenceRefusedTest, IsNotLoaded) {
  PictureReference ref;
  ref.first_cell = -7;
  EXPECT_FALSE(ParsePictureReference(GetParam().reference.c_str(), 0, &ref));
  EXPECT_EQ(ref.first_cell, -7);
}

INSTANTIATE_TEST_SUITE_P(
    References, PictureReferenceRefusedTest,
    ::testing::Values(Refused{"empty", ""}, Refused{"name only", "PLATE"},
                      Refused{"three numbers", "PLATE 1 1 10"},
                      Refused{"a word for a number", "PLATE 1 1 ten 5"},
                      Refused{"column 0", "PLATE 0 1 10 5"}, Refused{"column 81", "PLATE 1 1 81 5"},
                      Refused{"row 0", "PLATE 1 0 10 5"},
                      Refused{"negative row", "PLATE 1 1 10 -2"},
                      Refused{"row past 32 bits", "PLATE 1 1 10 30000000"},
                      Refused{"number past 32 bits", "PLATE 1 1 10 99999999999"},
                      Refused{"name of 80", std::string(76, 'N') + ".WMF 1 1 2 2"},
                      Refused{"name of 76 without extension", std::string(76, 'N') + " 1 1 2 2"}),
    [](const auto& info) {
      std::string name = info.param.what;
      for (char& ch : name)
        if (ch == ' ') ch = '_';
      return name;
    });

TEST(PictureReferenceTest, LongestNames) {
  PictureReference ref;
  EXPECT_TRUE(ParsePictureReference((std::string(75, 'N') + ".WMF 1 1 2 2").c_str(), 0, &ref));
  EXPECT_TRUE(ParsePictureReference((std::string(75, 'N') + " 1 1 2 2").c_str(), 0, &ref));
  EXPECT_EQ(std::string(ref.name), std::string(75, 'N') + ".DQD");
}

// Printing names a report's own container by the report's folder: a name
// with its folder may be as long as a path, and in quotes it may hold blanks.
TEST(PictureReferenceTest, NamesWithTheirFolder) {
  const std::string longest =
      "C:\\My Cases\\" + std::string(255 - 12, 'F') + "\\" + std::string(75, 'R') + ".ZFD";
  ASSERT_EQ(longest.size(), PICTURE_PATH_LENGTH);
  PictureReference ref;
  ASSERT_TRUE(ParsePictureReference(('"' + longest + "\" 1 2 40 20").c_str(), 0, &ref));
  EXPECT_EQ(std::string(ref.name), longest);
  EXPECT_EQ(ref.first_cell, 80);
  EXPECT_EQ(ref.last_cell, 19 * 80 + 39);
  ASSERT_TRUE(ParsePictureReference("D:\\CASES\\RUN1.ZFD 1 1 2 2", 0, &ref));
  EXPECT_STREQ(ref.name, "D:\\CASES\\RUN1.ZFD");
  EXPECT_FALSE(ParsePictureReference(('"' + longest + "X\" 1 2 40 20").c_str(), 0, &ref));
  EXPECT_FALSE(ParsePictureReference("\"C:\\My Cases\\RUN1.ZFD 1 2 40 20", 0, &ref));
  EXPECT_FALSE(ParsePictureReference("\"\" 1 2 40 20", 0, &ref));
  EXPECT_EQ(PictureReferenceName("C:\\My Cases\\RUN1.ZFD"), "\"C:\\My Cases\\RUN1.ZFD\"");
  EXPECT_EQ(PictureReferenceName("C:\\CASES\\RUN1.ZFD"), "C:\\CASES\\RUN1.ZFD");
}

struct Found {
  std::string reference;
  int32_t under_text;
};

std::vector<Found> Scan(const std::string& text) {
  std::vector<Found> out;
  std::size_t at = 0;
  std::string_view reference;
  int32_t under = -1;
  while (NextPictureReference(text, &at, &reference, &under))
    out.push_back({std::string(reference), under});
  return out;
}

TEST(PictureReferenceScanTest, AngleBracketsFirstThenBracesWhereNoAngleFollows) {
  auto found = Scan("<A.WMF 1 1 10 5> text {B.WMF 1 6 10 9}");
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[0].reference, "A.WMF 1 1 10 5");
  EXPECT_EQ(found[0].under_text, 1);
  EXPECT_EQ(found[1].reference, "B.WMF 1 6 10 9");
  EXPECT_EQ(found[1].under_text, 0);
  // Braces before angle brackets are passed over.
  found = Scan("{B.WMF 1 6 10 9}<A.WMF 1 1 10 5>");
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].reference, "A.WMF 1 1 10 5");
  // A '<' without its '>' ends the scan.
  EXPECT_TRUE(Scan("<A.WMF 1 1 10 5 {B.WMF 1 6 10 9}").empty());
  EXPECT_TRUE(Scan("no pictures").empty());
}

}  // namespace
