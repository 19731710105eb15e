// The arithmetic of a drawing drawn into a rectangle: the rectangle fitted
// to the drawing's proportions, and the extents and clipping sides it gives,
// up to the limits of 32-bit sides.
#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>

#include "report/drawing/drawing_fit.h"

// Found by the test framework beside the box's type.
void PrintTo(const PictureBox& b, std::ostream* out) {
  *out << "{" << b.left << ", " << b.top << ", " << b.right << ", " << b.bottom << "}";
}

namespace {

struct Fit {
  const char* name;
  PictureBox box;
  int32_t W;
  int32_t H;
  PictureBox fitted;
};

class DrawingFitTest : public ::testing::TestWithParam<Fit> {};

TEST_P(DrawingFitTest, TheBoxTakesTheDrawingsProportions) {
  const Fit& f = GetParam();
  EXPECT_EQ(FitToDrawing(f.box, f.W, f.H), f.fitted);
}

constexpr int32_t kMin = INT32_MIN;
constexpr int32_t kMax = INT32_MAX;

INSTANTIATE_TEST_SUITE_P(
    Boxes, DrawingFitTest,
    ::testing::Values(
        // 2000 by 1000 in 300 by 300: 300 by 150, moved down by 75.
        Fit{"screen", {0, 0, 300, 300}, 2000, 1000, {0, 75, 300, 225}},
        Fit{"wide", {100, 0, 500, 100}, 1000, 1000, {250, 0, 350, 100}},
        // Within one unit the box is kept as it is.
        Fit{"close", {0, 0, 301, 300}, 1000, 1000, {0, 0, 301, 300}},
        // Every side at its limit: the height halved about the middle.
        Fit{"whole range",
            {kMin, kMin, kMax, kMax},
            2000,
            1000,
            {kMin, -1073741825, kMax, 1073741823}},
        Fit{"whole range, square", {kMin, kMin, kMax, kMax}, 1000, 1000, {kMin, kMin, kMax, kMax}},
        Fit{"widest drawing", {kMin, 0, kMax, 1}, kMax, 1, {-1073741824, 0, 1073741823, 1}},
        Fit{"tallest drawing", {0, kMin, 1, kMax}, 1, kMax, {0, -1073741824, 1, 1073741823}},
        // Nothing to divide by: the box stays.
        Fit{"no width", {0, 0, 300, 300}, 0, 1000, {0, 0, 300, 300}},
        Fit{"no height", {0, 0, 300, 300}, 1000, -1, {0, 0, 300, 300}},
        Fit{"empty box", {10, 10, 10, 50}, 1000, 1000, {10, 10, 10, 50}},
        Fit{"turned box", {kMax, kMax, kMin, kMin}, 1000, 1000, {kMax, kMax, kMin, kMin}}),
    [](const auto& info) {
      std::string name = info.param.name;
      for (char& c : name)
        if (c == ' ' || c == ',') c = '_';
      return name;
    });

struct Span {
  int32_t low;
  int32_t high;
  int32_t span;
};

class DrawingSpanTest : public ::testing::TestWithParam<Span> {};

TEST_P(DrawingSpanTest, AnExtentStaysWithinThirtyTwoBits) {
  const Span& s = GetParam();
  EXPECT_EQ(SpanOf(s.low, s.high), s.span);
}

INSTANTIATE_TEST_SUITE_P(Sides, DrawingSpanTest,
                         ::testing::Values(Span{0, 300, 300}, Span{-5, 5, 10}, Span{5, -5, -10},
                                           Span{kMin, kMax, kMax}, Span{-1, kMax, kMax},
                                           Span{kMax, kMin, kMin}, Span{kMax, -1, kMin},
                                           Span{kMax, 0, -kMax}));

TEST(DrawingFitTest, TheClippingSideLiesOneBeyondWithinThirtyTwoBits) {
  EXPECT_EQ(OneBeyond(224), 225);
  EXPECT_EQ(OneBeyond(-1), 0);
  EXPECT_EQ(OneBeyond(kMin), kMin + 1);
  EXPECT_EQ(OneBeyond(kMax - 1), kMax);
  EXPECT_EQ(OneBeyond(kMax), kMax);
}

}  // namespace
