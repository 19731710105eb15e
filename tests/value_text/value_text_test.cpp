#include "exchange/value_text.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace {

std::string Blanks(std::size_t n) { return std::string(n, ' '); }

struct RealCase {
  double value;
  std::string field;  // the 24-character field
};

class RealField : public testing::TestWithParam<RealCase> {};

TEST_P(RealField, IsWrittenInItsListDirectedForm) {
  const RealCase& c = GetParam();
  ASSERT_EQ(c.field.size(), REAL_FIELD_WIDTH);
  EXPECT_EQ(FormatRealValue(c.value), c.field);
}

INSTANTIATE_TEST_SUITE_P(
    Values, RealField,
    testing::Values(
        // Fixed-point: 15 significant digits in 19 characters, then 5 blanks.
        RealCase{0.5, "  0.500000000000000     "}, RealCase{1.0, "   1.00000000000000     "},
        RealCase{123.456, "   123.456000000000     "}, RealCase{-1.0, "  -1.00000000000000     "},
        RealCase{-0.5, " -0.500000000000000     "},
        // The lower bound: 0.1, and what rounds to it with 15 digits.
        RealCase{0.1, "  0.100000000000000     "},
        RealCase{0.09999999999999999, "  0.100000000000000     "},
        RealCase{0.0999999999999999999, "  0.100000000000000     "},
        RealCase{-0.09999999999999999, " -0.100000000000000     "},
        // Just below 0.1 even with 15 digits: exponent form, 16 digits.
        RealCase{0.0999999999999994, "  9.999999999999939E-002"},
        RealCase{0.05, "  5.000000000000000E-002"},
        // The upper bound: the largest fixed-point values keep their point.
        RealCase{999999999999999.0, "   999999999999999.     "},
        RealCase{-999999999999999.0, "  -999999999999999.     "},
        RealCase{99999999999999.9, "   99999999999999.9     "},
        // 1.0E15, and what rounds to it with 15 digits.
        RealCase{1.0E15, "  1.000000000000000E+015"},
        RealCase{999999999999999.9, "  9.999999999999999E+014"},
        RealCase{1.0E35, "  1.000000000000000E+035"}, RealCase{-1.0E35, " -1.000000000000000E+035"},
        // Zero (either sign) is written in exponent form.
        RealCase{0.0, "  0.000000000000000E+000"}, RealCase{-0.0, "  0.000000000000000E+000"},
        // The ends of the range need all three exponent digits.
        RealCase{std::numeric_limits<double>::max(), "  1.797693134862316E+308"},
        RealCase{-std::numeric_limits<double>::max(), " -1.797693134862316E+308"},
        RealCase{std::numeric_limits<double>::denorm_min(), "  4.940656458412465E-324"},
        RealCase{1.0E-5, "  1.000000000000000E-005"},
        // What is not a number must not read as one.
        RealCase{std::numeric_limits<double>::quiet_NaN(), Blanks(21) + "NaN"},
        RealCase{std::numeric_limits<double>::infinity(), Blanks(16) + "Infinity"},
        RealCase{-std::numeric_limits<double>::infinity(), Blanks(15) + "-Infinity"}));

// The fixed-point field as the library's own fixed notation writes the real
// rounded to 15 significant digits, for values of every length of digits:
// the field is never built from digits rounded twice.
TEST(RealField, FixedPointHoldsTheRealRoundedTo15Digits) {
  uint64_t seed = 12345;
  auto next = [&seed] {
    seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
    return seed >> 11;
  };
  int checked = 0;
  for (int i = 0; i < 20000; ++i) {
    // A decimal of 1 to 17 digits, read as the nearest real.
    const int digits = 1 + static_cast<int>(next() % 17);
    std::string text = std::to_string(next() % 100000000000000000ULL).substr(0, digits);
    text += "e" + std::to_string(static_cast<int>(next() % 17) - 2 - digits);
    double x = 0;
    std::from_chars(text.data(), text.data() + text.size(), x);
    if (next() % 2) x = -x;
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(x), std::chars_format::scientific, 14);
    const std::string scientific(buf, r.ptr);
    const int exponent = std::stoi(scientific.substr(scientific.find('e') + 1));
    if (x == 0 || exponent < -1 || exponent > 14) continue;
    r = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed, 14 - exponent);
    std::string fixed(buf, r.ptr);
    if (exponent == 14) fixed += '.';
    const std::string expected = Blanks(19 - fixed.size()) + fixed + Blanks(5);
    ASSERT_EQ(FormatRealValue(x), expected) << text;
    ++checked;
  }
  EXPECT_GT(checked, 10000);
}

TEST(IntegerField, IsRightAlignedIn22Characters) {
  EXPECT_EQ(FormatIntegerValue(2), Blanks(21) + "2");
  EXPECT_EQ(FormatIntegerValue(0), Blanks(21) + "0");
  EXPECT_EQ(FormatIntegerValue(-2), Blanks(20) + "-2");
  EXPECT_EQ(FormatIntegerValue(99999999), Blanks(14) + "99999999");
  EXPECT_EQ(FormatIntegerValue(INT64_MAX), Blanks(3) + "9223372036854775807");
  EXPECT_EQ(FormatIntegerValue(INT64_MIN), Blanks(2) + "-9223372036854775808");
}

TEST(ValueText, WritingOverwritesTheWholeTextWithBlankPadding) {
  ValueText text("previous contents that must not survive, all 56 chars..");
  WriteRealValue(text, 0.5);
  EXPECT_EQ(text.view(), "  0.500000000000000" + Blanks(VALUE_TEXT_LENGTH - 19));
  // What the server receives keeps the leading blanks only.
  EXPECT_EQ(text.trimmed(), "  0.500000000000000");

  WriteIntegerValue(text, 2);
  EXPECT_EQ(text.view(), Blanks(21) + "2" + Blanks(VALUE_TEXT_LENGTH - 22));
  EXPECT_EQ(text.trimmed(), Blanks(21) + "2");

  WriteRealValue(text, 1.0E35);
  EXPECT_EQ(text.trimmed(), "  1.000000000000000E+035");
}

struct ReadCase {
  std::string text;
  bool reads;
  double value;  // when it reads
};

// Reads the case's text into a working value that starts at preset.
template <class T>
void ExpectRead(bool (*read)(std::string_view, T&), const ReadCase& c, T preset) {
  T value = preset;
  EXPECT_EQ(read(c.text, value), c.reads) << '"' << c.text << '"';
  EXPECT_EQ(value, c.reads ? static_cast<T>(c.value) : preset) << '"' << c.text << '"';
}

class RealRead : public testing::TestWithParam<ReadCase> {};

TEST_P(RealRead, TakesTheFirstNumberOrLeavesThePreset) {
  ExpectRead(ReadRealValue, GetParam(), 1.0E35);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, RealRead,
    testing::Values(ReadCase{"  0.500000000000000", true, 0.5},
                    ReadCase{"  1.000000000000000E+035", true, 1.0E35},
                    ReadCase{"   999999999999999.     ", true, 999999999999999.0},
                    ReadCase{"2", true, 2.0}, ReadCase{"-.5", true, -0.5},
                    ReadCase{"+5.", true, 5.0}, ReadCase{"1.5E3", true, 1500.0},
                    ReadCase{"1.5e-3", true, 0.0015}, ReadCase{"1.5D+003", true, 1500.0},
                    ReadCase{"1.5d3", true, 1500.0}, ReadCase{"1.5+003", true, 1500.0},
                    ReadCase{"1.5-3", true, 0.0015}, ReadCase{"\t6.5", true, 6.5},
                    // The first value of a list; separators are blanks, commas and slashes.
                    ReadCase{" 7.25 8", true, 7.25}, ReadCase{"7.25, 8", true, 7.25},
                    ReadCase{"7.25/", true, 7.25}, ReadCase{"1,5", true, 1.0},
                    // Blank: nothing to read.
                    ReadCase{"", false, 0}, ReadCase{std::string(VALUE_TEXT_LENGTH, ' '), false, 0},
                    // Not a number: the working value keeps its preset.
                    ReadCase{"abc", false, 0}, ReadCase{"1.5x", false, 0}, ReadCase{"E5", false, 0},
                    ReadCase{".", false, 0}, ReadCase{"-", false, 0}, ReadCase{"1.5E", false, 0},
                    ReadCase{"1.5E+", false, 0}, ReadCase{"1..5", false, 0},
                    ReadCase{",5", false, 0}, ReadCase{"0x1A", false, 0}, ReadCase{"NaN", false, 0},
                    ReadCase{"Infinity", false, 0}, ReadCase{"1E999", false, 0},
                    ReadCase{"-1E999", false, 0}));

class IntegerRead : public testing::TestWithParam<ReadCase> {};

TEST_P(IntegerRead, TakesTheFirstWholeNumberOrLeavesThePreset) {
  ExpectRead(ReadIntegerValue, GetParam(), int64_t{4711});
}

INSTANTIATE_TEST_SUITE_P(Texts, IntegerRead,
                         testing::Values(ReadCase{" 6", true, 6}, ReadCase{"53", true, 53},
                                         ReadCase{Blanks(21) + "2", true, 2},
                                         ReadCase{"  -53 ", true, -53}, ReadCase{"+7", true, 7},
                                         ReadCase{"53,1", true, 53}, ReadCase{"0", true, 0},
                                         ReadCase{"", false, 0}, ReadCase{"   ", false, 0},
                                         ReadCase{"3.0", false, 0}, ReadCase{"1E3", false, 0},
                                         ReadCase{"12abc", false, 0}, ReadCase{"--1", false, 0},
                                         ReadCase{"x", false, 0},
                                         ReadCase{"9223372036854775808", false, 0},
                                         ReadCase{"-9223372036854775809", false, 0}));

TEST(IntegerRead, TakesTheWholeRange) {
  int64_t value = 0;
  ASSERT_TRUE(ReadIntegerValue(FormatIntegerValue(INT64_MAX), value));
  EXPECT_EQ(value, INT64_MAX);
  ASSERT_TRUE(ReadIntegerValue(FormatIntegerValue(INT64_MIN), value));
  EXPECT_EQ(value, INT64_MIN);
}

TEST(ValueText, WhatIsWrittenReadsBackToWithinItsDigits) {
  for (double x : {0.5, -0.5, 1.0, 0.1, 0.05, 3.14159265358979, -273.15, 101325.0, 1.0E15,
                   999999999999999.0, 1.0E35, -2.5E-200, 0.0}) {
    double back = -7.0;
    ASSERT_TRUE(ReadRealValue(FormatRealValue(x), back)) << x;
    EXPECT_NEAR(back, x, std::fabs(x) * 1.0E-14) << x;
  }
}

}  // namespace
