// The pressure levels of a heat-release-curve request, from plain values.
#include "drivers/pressure_levels.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "include/markers.h"

namespace {

constexpr int64_t kRoom = 5;  // a host value array of 7

struct Request {
  int64_t words[20] = {};
  double values[2 + kRoom] = {};
};

Request Ask(int64_t levels_asked,
            std::vector<double> host_levels = {MISSING_REAL, MISSING_REAL, MISSING_REAL,
                                               MISSING_REAL, -9.0}) {
  Request r;
  for (int64_t& w : r.words) w = -7;
  r.words[19] = levels_asked;
  r.values[0] = -1.0;
  r.values[1] = -2.0;
  for (std::size_t k = 0; k < host_levels.size(); ++k) r.values[2 + k] = host_levels[k];
  return r;
}

void ExpectOnlyLevelWordsWritten(const Request& r) {
  for (int w = 0; w < 20; ++w)
    if (w != 0 && w != 9 && w != 19) EXPECT_EQ(r.words[w], -7) << "word " << w + 1;
  EXPECT_EQ(r.values[0], -1.0);
  EXPECT_EQ(r.values[1], -2.0);
}

struct LevelCase {
  const char* name;
  int64_t side;
  double pressure, drop, estimated;
  int64_t room;
  std::vector<double> levels;
  double tolerance = 5e-5;  // half a unit of the last digit written
};

class SpacedLevels : public ::testing::TestWithParam<LevelCase> {};

TEST_P(SpacedLevels, RunFromInletToOutletHighestFirst) {
  const LevelCase& c = GetParam();
  Request r = Ask(3);
  CHOOSE_PRESSURE_LEVELS(c.side, c.pressure, c.drop, c.estimated, c.room, r.words, r.values);
  const int64_t n = static_cast<int64_t>(c.levels.size());
  EXPECT_EQ(r.words[0], n);
  EXPECT_EQ(r.words[9], n);
  for (int64_t j = 0; j < n; ++j)
    EXPECT_NEAR(r.values[2 + j], c.levels[j], c.tolerance) << "level " << j;
  // Places after the levels keep what the host wrote.
  for (int64_t j = n; j < 4; ++j) EXPECT_EQ(r.values[2 + j], MISSING_REAL) << "level " << j;
  if (n < 5) EXPECT_EQ(r.values[6], -9.0);
  ExpectOnlyLevelWordsWritten(r);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SpacedLevels,
    ::testing::Values(
        // The estimated drop stands in for the missing allowable one.
        LevelCase{"estimate",
                  1,
                  1.0E6,
                  5.0E5,
                  5.0E5,
                  kRoom,
                  {1.0E6, 793700.526, 629960.525, 5.0E5},
                  5e-4},
        // Nothing given: the default step, here the 1 % term.
        LevelCase{"default_step", 1, 2.0E5, 0.0, MISSING_REAL, kRoom, {2.0E5, 188000.0003}},
        LevelCase{"allowable_drop",
                  1,
                  5.0E6,
                  2.0E6,
                  MISSING_REAL,
                  kRoom,
                  {5.0E6, 4400558.68, 3872983.35, 3408658.10, 3.0E6},
                  5e-3},
        // A host array of 6 holds four levels: they still span inlet to outlet.
        LevelCase{"array_of_six",
                  1,
                  5.0E6,
                  2.0E6,
                  MISSING_REAL,
                  4,
                  {5.0E6, 4217163.33, 3556893.30, 3.0E6},
                  5e-3},
        // The cold side computes exactly as the hot one.
        LevelCase{"cold_side", 2, 2.0E5, 0.0, MISSING_REAL, kRoom, {2.0E5, 188000.0003}},
        // A side that is neither hot nor cold steps by nothing.
        LevelCase{"other_side", 3, 1.0E6, 5.0E5, 5.0E5, kRoom, {1.0E6, 1.0E6}},
        // A drop larger than the inlet pressure leaves the outlet below zero:
        // no geometric ratio exists, so the levels are spaced evenly.
        LevelCase{
            "outlet_below_zero", 1, 1.0E5, 0.0, 2.0E5, kRoom, {1.0E5, 5.0E4, 0.0, -5.0E4, -1.0E5}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PressureLevels, OnePairAskedGivesHigherAndLowerAndLeavesTheRest) {
  for (int64_t asked : {1, 0, -3}) {
    Request r = Ask(asked, {11.0, 12.0, 13.0, 14.0});
    CHOOSE_PRESSURE_LEVELS(1, 5.0E6, 2.0E6, MISSING_REAL, kRoom, r.words, r.values);
    EXPECT_EQ(r.values[2], 5.0E6);
    EXPECT_EQ(r.values[3], 3.0E6);
    EXPECT_EQ(r.values[4], 13.0);
    EXPECT_EQ(r.values[5], 14.0);
    EXPECT_EQ(r.words[0], -7);  // the pair's count is the caller's
    ExpectOnlyLevelWordsWritten(r);
  }
  // A negative estimate lifts the outlet above the inlet; higher still comes first.
  Request r = Ask(1);
  CHOOSE_PRESSURE_LEVELS(2, 1.0E5, 0.0, -2.0E4, kRoom, r.words, r.values);
  EXPECT_EQ(r.values[2], 1.2E5);
  EXPECT_EQ(r.values[3], 1.0E5);
}

TEST(PressureLevels, HostLevelsAreSortedHighestFirstAndTheRestKept) {
  Request r = Ask(3, {4.0E5, MISSING_REAL, 6.0E5, MISSING_REAL});
  CHOOSE_PRESSURE_LEVELS(1, 1.0E6, 5.0E5, 5.0E5, kRoom, r.words, r.values);
  EXPECT_EQ(r.words[0], 2);
  EXPECT_EQ(r.words[9], 2);
  EXPECT_EQ(r.values[2], 6.0E5);
  EXPECT_EQ(r.values[3], 4.0E5);
  EXPECT_EQ(r.values[4], 6.0E5);
  EXPECT_EQ(r.values[5], MISSING_REAL);
  ExpectOnlyLevelWordsWritten(r);

  // Four at most: a fifth value of the host is not a level.
  Request all = Ask(2, {1.0, 4.0, 2.0, 3.0, 5.0});
  CHOOSE_PRESSURE_LEVELS(1, 1.0E6, 5.0E5, 5.0E5, kRoom, all.words, all.values);
  EXPECT_EQ(all.words[0], 4);
  EXPECT_EQ(all.values[2], 4.0);
  EXPECT_EQ(all.values[3], 3.0);
  EXPECT_EQ(all.values[4], 2.0);
  EXPECT_EQ(all.values[5], 1.0);
  EXPECT_EQ(all.values[6], 5.0);
}

TEST(PressureLevels, NoRoomForAPairWritesNothing) {
  Request r = Ask(3);
  CHOOSE_PRESSURE_LEVELS(1, 1.0E6, 5.0E5, 5.0E5, 1, r.words, r.values);
  EXPECT_EQ(r.words[0], -7);
  EXPECT_EQ(r.values[2], MISSING_REAL);
}

}  // namespace
