// The drawing transform's arithmetic: drawing points onto the logical grid,
// and what becomes of values no 32-bit coordinate holds.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "report/drawing/drawing_numbers.h"
#include "report/drawing/drawing_transform.h"

namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();

TEST(DrawingTransformTest, DrawingYGrowsUpward) {
  DRAWING_TRANSFORM = {1000, 0, 0, 100.0f};
  EXPECT_EQ(MapDrawingX(2.5f), 250);
  EXPECT_EQ(MapDrawingY(3.0f), 700);
  DRAWING_TRANSFORM = {4900, 80, 4900, 4900.0f};
  EXPECT_EQ(MapDrawingX(0.0f), 80);
  EXPECT_EQ(MapDrawingY(0.0f), 9800);
  EXPECT_EQ(MapDrawingX(2.0f), 9880);
  EXPECT_EQ(MapDrawingY(2.0f), 0);
  // Truncation goes toward zero.
  DRAWING_TRANSFORM = {0, 0, 0, 1.0f};
  EXPECT_EQ(MapDrawingX(-1.5f), -1);
  EXPECT_EQ(MapDrawingY(-1.5f), 1);
}

struct Extreme {
  float x;
  int32_t x0;
  int32_t expected_x;
  int32_t expected_y;  // with H 0 and y0 0
};

class DrawingTransformExtremeTest : public ::testing::TestWithParam<Extreme> {};

TEST_P(DrawingTransformExtremeTest, StaysWithinThirtyTwoBits) {
  const Extreme& e = GetParam();
  DRAWING_TRANSFORM = {0, e.x0, 0, 1.0f};
  EXPECT_EQ(MapDrawingX(e.x), e.expected_x);
  DRAWING_TRANSFORM = {0, 0, 0, 1.0f};
  EXPECT_EQ(MapDrawingY(e.x), e.expected_y);
}

INSTANTIATE_TEST_SUITE_P(Values, DrawingTransformExtremeTest,
                         ::testing::Values(Extreme{std::nanf(""), 7, 7, 0},
                                           Extreme{1e30f, 0, INT32_MAX, -INT32_MAX},
                                           Extreme{-1e30f, 0, INT32_MIN, INT32_MAX},
                                           Extreme{kInf, 5, INT32_MAX, -INT32_MAX},
                                           Extreme{2e9f, 2000000000, INT32_MAX, -2000000000},
                                           Extreme{-2e9f, -2000000000, INT32_MIN, 2000000000}));

TEST(DrawingTransformTest, ScaleAndOriginBeyondRangeStillClamp) {
  DRAWING_TRANSFORM = {INT32_MAX, INT32_MAX, INT32_MAX, 1e38f};
  EXPECT_EQ(MapDrawingX(1e38f), INT32_MAX);
  EXPECT_EQ(MapDrawingY(-1e38f), INT32_MAX);
  EXPECT_EQ(LogicalY(std::nan("")), INT32_MAX);
}

TEST(DrawingNumbersTest, TruncationTowardZeroWithinRange) {
  EXPECT_EQ(TruncateToInt32(2.7), 2);
  EXPECT_EQ(TruncateToInt32(-2.7), -2);
  EXPECT_EQ(TruncateToInt32(3e9), INT32_MAX);
  EXPECT_EQ(TruncateToInt32(-3e9), INT32_MIN);
  EXPECT_EQ(TruncateToInt32(std::nan("")), 0);
  EXPECT_EQ(TruncateToInt64(1e300), INT64_MAX);
  EXPECT_EQ(TruncateToInt64(-1e300), INT64_MIN);
  EXPECT_EQ(TruncateToInt32(1000.0 * 1.0f), 1000);
}

}  // namespace
