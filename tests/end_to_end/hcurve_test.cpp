// The heat-release-curve request through the DLL: the pressure levels for a
// side from its inlet pressure and the unit record's drops, and an unit
// record too large to read.
#include <cmath>

#include "include/markers.h"
#include "tests/end_to_end/host_fixture.h"

namespace {

constexpr double M = MISSING_REAL;

class HcurveTest : public HostTest {
 protected:
  // Streams "S3" (flow 1.5 with a factor of 2) at pressure p and "S4" (flow
  // 1.0), and the unit record "U" with the hot and cold drops and estimates.
  void MakeBlock(double p, double hot_drop, double hot_estimate, double cold_drop,
                 double cold_estimate, int64_t levels_asked) {
    host::RecordArrays stream;
    stream.rvals = {1.5, 400.0, p, 0.0, 2.0};
    ASSERT_EQ(host::CreateObject("S3", "material_stream"), 0);
    ASSERT_EQ(host::PutRecord("S3", "KVEM_MS_DATA", stream, 40), 0);
    stream.rvals = {1.0, 380.0, 0.5 * p, 0.0, 1.0};
    ASSERT_EQ(host::CreateObject("S4", "material_stream"), 0);
    ASSERT_EQ(host::PutRecord("S4", "KVEM_MS_DATA", stream, 40), 0);

    host::RecordArrays unit;
    unit.ivals = {3, 0};
    unit.rvals.assign(14, M);
    unit.rvals[5] = hot_drop;
    unit.rvals[6] = hot_estimate;
    unit.rvals[11] = cold_drop;
    unit.rvals[12] = cold_estimate;
    ASSERT_EQ(host::CreateObject("U", "plate_heat_exchanger_unit_INPUT"), 0);
    ASSERT_EQ(host::PutRecord("U", host::kUnitOptionsRecord, unit, 32), 0);

    host::HostBlock block;
    block.unit_id = "U";
    block.hot_in = block.cold_in = "S3";
    block.hot_out = block.cold_out = "S4";
    block.levels_asked = levels_asked;
    road_.emplace(*library_, block, "unused.QXN");
  }
};

struct LevelsCase {
  const char* what;
  int64_t side;
  double p, drop, estimate;
  std::vector<double> levels;
};

class HcurveLevelsTest : public HcurveTest, public ::testing::WithParamInterface<LevelsCase> {};

TEST_P(HcurveLevelsTest, LevelsRunFromTheHigherToTheLowerPressure) {
  const LevelsCase& c = GetParam();
  // The other side's drops are never looked at.
  if (c.side == 1)
    ASSERT_NO_FATAL_FAILURE(MakeBlock(c.p, c.drop, c.estimate, 7.0e5, 7.0e5, 3));
  else
    ASSERT_NO_FATAL_FAILURE(MakeBlock(c.p, 7.0e5, 7.0e5, c.drop, c.estimate, 3));

  const host::HcurveAnswer a = road_->Hcurve(c.side);
  EXPECT_EQ(a.status, 0);
  const int64_t n = static_cast<int64_t>(c.levels.size());
  EXPECT_EQ(a.request[0], n);
  EXPECT_EQ(a.request[9], n);
  EXPECT_EQ(a.request[1], 24);
  EXPECT_DOUBLE_EQ(a.values[0], 3.0);  // flow times its factor
  EXPECT_DOUBLE_EQ(a.values[1], 1.0);
  for (int64_t j = 0; j < n; ++j)
    EXPECT_NEAR(a.values[2 + j], c.levels[j], c.levels[j] * 2e-9) << "level " << j + 1;
  for (int64_t j = n; j < host::kRequestValues - 2; ++j)
    EXPECT_EQ(a.values[2 + j], M) << "level " << j + 1 << " is the host's";
}

INSTANTIATE_TEST_SUITE_P(
    Examples, HcurveLevelsTest,
    ::testing::Values(
        LevelsCase{
            "estimated drop only", 1, 1.0e6, M, 5.0e5, {1.0e6, 793700.526, 629960.525, 5.0e5}},
        LevelsCase{"no drop at all: the 0.01 step", 1, 2.0e5, M, M, {2.0e5, 188000.0003}},
        LevelsCase{"allowable drop",
                   1,
                   5.0e6,
                   2.0e6,
                   M,
                   {5.0e6, 4400558.68, 3872983.35, 3408658.10, 3.0e6}},
        LevelsCase{"cold side reads the cold drops",
                   2,
                   1.0e6,
                   M,
                   5.0e5,
                   {1.0e6, 793700.526, 629960.525, 5.0e5}}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

class HcurveNoMemoryTest : public HcurveTest, public ::testing::WithParamInterface<int> {};

// A unit record that states 2^62 elements of one array: its byte size cannot
// exist, the allocation fails and the host hears "out of memory" (40).
TEST_P(HcurveNoMemoryTest, AnArrayTooLargeToAllocateGivesStatus40) {
  ASSERT_NO_FATAL_FAILURE(MakeBlock(1.0e6, M, 5.0e5, M, M, 3));
  int64_t counts[6] = {2, 0, 14, 0, 0, 0};
  counts[GetParam()] = int64_t{1} << 62;
  ASSERT_EQ(LumbraProbeSetCounts("U", host::kUnitOptionsRecord, counts), 0);

  const host::HcurveAnswer a = road_->Hcurve(1);
  EXPECT_EQ(a.status, 40);
  // The request words and the flows come before the unit record is read.
  EXPECT_EQ(a.request[1], 24);
  EXPECT_DOUBLE_EQ(a.values[0], 3.0);
  EXPECT_DOUBLE_EQ(a.values[1], 1.0);
  EXPECT_EQ(a.values[2], M);
}

INSTANTIATE_TEST_SUITE_P(EachArray, HcurveNoMemoryTest, ::testing::Range(0, 6));

}  // namespace
