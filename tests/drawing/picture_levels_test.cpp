// A metafile picture's RestoreDC records held to the levels it saved itself:
// a count back or a level by its number restores the picture's own levels,
// and one that reaches below them restores nothing.
#include "report/drawing/picture_levels.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

struct Restore {
  const char* name;
  int32_t held;   // the picture's own levels saved and not yet restored
  int32_t level;  // the record's: a count back, or a level by its number
  int32_t restored;
};

class PictureLevelsTest : public ::testing::TestWithParam<Restore> {};

TEST_P(PictureLevelsTest, ARestoreTakesBackOnlyThePicturesOwnLevels) {
  const Restore& r = GetParam();
  EXPECT_EQ(OwnLevelsRestored(r.held, r.level), r.restored);
}

INSTANTIATE_TEST_SUITE_P(Records, PictureLevelsTest,
                         ::testing::Values(
                             // Counts back within the picture's own levels.
                             Restore{"LastOfOne", 1, -1, 1}, Restore{"LastOfThree", 3, -1, 1},
                             Restore{"AllThree", 3, -3, 3},
                             // Counts back below them: left out, as on a context of its own.
                             Restore{"NoneHeld", 0, -1, 0}, Restore{"TwoOfOne", 1, -2, 0},
                             Restore{"ThreeOfTwo", 2, -3, 0},
                             // Levels by number, the picture's first being 1.
                             Restore{"FirstOfOne", 1, 1, 1}, Restore{"FirstOfThree", 3, 1, 3},
                             Restore{"SecondOfThree", 3, 2, 2}, Restore{"ThirdOfThree", 3, 3, 1},
                             Restore{"FirstOfNone", 0, 1, 0}, Restore{"FourthOfThree", 3, 4, 0},
                             // A level of 0 names none.
                             Restore{"ZeroOfTwo", 2, 0, 0},
                             // At the limits of 32 bits.
                             Restore{"LowestOfMany", INT32_MAX, INT32_MIN, 0},
                             Restore{"MostOfMany", INT32_MAX, -INT32_MAX, INT32_MAX},
                             Restore{"FirstOfMany", INT32_MAX, 1, INT32_MAX},
                             Restore{"HighestOfMany", INT32_MAX, INT32_MAX, 1},
                             Restore{"HighestOfOne", 1, INT32_MAX, 0},
                             Restore{"LowestOfOne", 1, INT32_MIN, 0},
                             Restore{"NegativeHeld", -1, -1, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
