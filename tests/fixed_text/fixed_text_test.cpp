#include "include/fixed_text.h"

#include <gtest/gtest.h>

TEST(FixedText, AssignmentPadsOrCuts) {
  FixedText<5> t("AB");
  EXPECT_EQ(t.view(), "AB   ");
  t = "ABCDEFG";
  EXPECT_EQ(t.view(), "ABCDE");
  t = "";
  EXPECT_TRUE(t.blank());
}

TEST(FixedText, ComparisonPadsTheShorterSide) {
  EXPECT_TRUE(FixedText<20>("VIZUR") == "VIZUR   ");
  EXPECT_TRUE(FixedText<20>("VIZUR") == FixedText<8>("VIZUR"));
  EXPECT_FALSE(FixedText<20>("VIZUR") == "vizur");
  EXPECT_FALSE(FixedText<20>("VIZUR") == " VIZUR");
}

TEST(FixedText, TrimmingDropsTrailingBlanksOnly) {
  FixedText<10> t("  A B");
  EXPECT_EQ(t.trimmed(), "  A B");
  EXPECT_EQ(fixed::Trimmed("X   "), "X");
  EXPECT_EQ(fixed::Trimmed("    "), "");
}
