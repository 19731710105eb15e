// The heat-release-curve request against the repository stand-in: the request
// words, the flows and levels from the block's records, and what the host
// gets when its arrays are too small or memory runs out.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "drivers/drivers_face.h"
#include "exchange/arrays_face.h"
#include "include/markers.h"
#include "include/test_seams.h"
#include "standins/lumbra/repository_probe.h"
#include "tests/common/loader_raise_fake.h"
#include "tests/hcurve/hcurve_records_text.h"

namespace {

constexpr double M = MISSING_REAL;
constexpr int64_t kUntouched = -7;
constexpr double kUntouchedValue = -9.5;

class HcurveRequest : public ::testing::Test {
 protected:
  void SetUp() override {
    LumbraProbeReset();
    for (int64_t& w : request) w = kUntouched;
    request[19] = 3;
    values.assign(7, M);
    values[0] = values[1] = kUntouchedValue;
  }
  void TearDown() override { LumbraProbeReset(); }

  void Load(const std::string& text) { ASSERT_EQ(LumbraProbeLoadText(text.c_str()), 0) << text; }

  void Ask(int64_t side) {
    std::string ids =
        "U1      "
        "        "
        "S3      "
        "S4      ";
    int64_t ids_count = 4;
    int64_t request_count = static_cast<int64_t>(request.size());
    int64_t value_count = static_cast<int64_t>(values.size());
    int64_t count = 0;
    char text[4] = "abc";
    HANDLE_HCURVE(&side, &ids_count, ids.data(), 8, &request_count, request.data(), &value_count,
                  values.data(), &count, text, 3, &status);
  }

  std::vector<double> Levels(std::size_t n) const {
    return std::vector<double>(values.begin() + 2, values.begin() + 2 + static_cast<long>(n));
  }

  std::vector<int64_t> request = std::vector<int64_t>(20);
  std::vector<double> values;
  int64_t status = -1;
};

void ExpectFixedWords(const std::vector<int64_t>& q) {
  const int64_t fixed[20] = {0, 24, 1, 2, 2, 1, kUntouched, 1,          2,          0,
                             1, 2,  1, 2, 2, 1, kUntouched, kUntouched, kUntouched, 0};
  for (int w : {2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13, 14, 15, 16, 17, 18, 19})
    EXPECT_EQ(q[w - 1], fixed[w - 1]) << "word " << w;
}

TEST_F(HcurveRequest, EstimatedDropSpacesFourLevels) {
  Load(Stream("S3", 2.0, 1.0E6, 1.5) + Stream("S4", 3.0, 4.0E5, 2.0) + Unit(M, 5.0E5, M, M));
  Ask(1);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(values[0], 3.0);  // flow times its factor
  EXPECT_EQ(values[1], 6.0);
  EXPECT_EQ(request[0], 4);
  EXPECT_EQ(request[9], 4);
  const double expected[] = {1.0E6, 793700.526, 629960.525, 5.0E5};
  for (int j = 0; j < 4; ++j) EXPECT_NEAR(values[2 + j], expected[j], 5e-4);
  EXPECT_EQ(values[6], M);
  ExpectFixedWords(request);
}

TEST_F(HcurveRequest, NoDropGivenStepsByTheDefault) {
  Load(Stream("S3", 1.0, 2.0E5, 1.0) + Stream("S4", 1.0, 2.0E5, 1.0) + Unit(M, M, M, M));
  Ask(1);
  EXPECT_EQ(request[0], 2);
  EXPECT_EQ(values[2], 2.0E5);
  EXPECT_NEAR(values[3], 188000.0003, 5e-5);
  EXPECT_EQ(values[4], M);
}

TEST_F(HcurveRequest, AllowableDropSpacesFiveLevels) {
  Load(Stream("S3", 1.0, 5.0E6, 1.0) + Stream("S4", 1.0, 1.0, 1.0) + Unit(2.0E6, M, M, M));
  Ask(1);
  EXPECT_EQ(request[0], 5);
  EXPECT_EQ(request[9], 5);
  const double expected[] = {5.0E6, 4400558.68, 3872983.35, 3408658.10, 3.0E6};
  for (int j = 0; j < 5; ++j) EXPECT_NEAR(values[2 + j], expected[j], 5e-3);
}

TEST_F(HcurveRequest, OnePairAskedGivesTheTwoPressures) {
  Load(Stream("S3", 1.0, 5.0E6, 1.0) + Stream("S4", 1.0, 1.0, 1.0) + Unit(2.0E6, M, M, M));
  request[19] = 1;
  values[4] = 11.0;
  Ask(1);
  EXPECT_EQ(request[0], 2);
  EXPECT_EQ(request[9], 2);
  EXPECT_EQ(values[2], 5.0E6);
  EXPECT_EQ(values[3], 3.0E6);
  EXPECT_EQ(values[4], 11.0);
  ExpectFixedWords(request);
}

TEST_F(HcurveRequest, ColdSideTakesTheColdDropsWithTheFirstStreamsPressure) {
  Load(Stream("S3", 1.0, 1.0E6, 1.0) + Stream("S4", 1.0, 7.0E6, 1.0) +
       Unit(1.0E3, 1.0E3, M, 5.0E5));
  Ask(2);
  ASSERT_EQ(request[0], 4);
  EXPECT_EQ(values[2], 1.0E6);
  EXPECT_NEAR(values[3], 793700.526, 5e-4);
  EXPECT_NEAR(values[5], 5.0E5, 1e-6);
}

TEST_F(HcurveRequest, DropsTheUnitRecordLacksCountAsNotGiven) {
  // A record of five reals, and no unit object at all, step by the default.
  for (const std::string& unit :
       {std::string("object U1 class plate_heat_exchanger_unit_INPUT record "
                    "PLATE_QUOR_UNIT_INPUT rvals 5 0 0 0 0 0 end end"),
        std::string()}) {
    LumbraProbeReset();
    Load(Stream("S3", 1.0, 2.0E5, 1.0) + Stream("S4", 1.0, 2.0E5, 1.0) + unit);
    values.assign(7, M);
    Ask(1);
    EXPECT_EQ(request[0], 2);
    EXPECT_EQ(values[2], 2.0E5);
    EXPECT_NEAR(values[3], 188000.0003, 5e-5);
    // The status is the repository's answer to the unit record's reads.
    EXPECT_EQ(status, unit.empty() ? 2 : 0);
  }
  EXPECT_EQ(LiveArrayCount(), 0);
}

TEST_F(HcurveRequest, StreamRecordLargerThanItsBuffersIsReadInPart) {
  std::vector<double> reals(200, 1.0);
  reals[0] = 4.0;    // flow
  reals[2] = 9.0E5;  // pressure
  reals[4] = 0.5;    // factor
  Load("object S3 class material_stream record KVEM_MS_DATA" + Reals(reals) + " end end " +
       Stream("S4", 1.0, 1.0, 1.0) + Unit(M, M, M, M));
  LumbraProbeClearCalls();
  Ask(1);
  EXPECT_EQ(values[0], 2.0);
  EXPECT_EQ(values[2], 9.0E5);
  char entry[256];
  bool seen = false;
  for (int64_t i = 1; i <= LumbraProbeCallCount(); ++i) {
    LumbraProbeCall(i, entry, sizeof entry);
    if (std::string(entry).rfind("RPGETD|S3|KVEM_MS_DATA|", 0) == 0) {
      seen = true;
      EXPECT_NE(std::string(entry).find(" 150 "), std::string::npos) << entry;
    }
  }
  EXPECT_TRUE(seen);
}

TEST_F(HcurveRequest, StreamWithoutARecordHasNoFlow) {
  // The second stream must not inherit the first one's values.
  Load(Stream("S3", 5.0, 1.0E6, 1.0) + Unit(M, 5.0E5, M, M));
  Ask(1);
  EXPECT_EQ(values[0], 5.0);
  EXPECT_EQ(values[1], 0.0);
}

struct TooSmall {
  const char* name;
  int64_t ids_count, request_count, value_count;
};

class TooSmallArrays : public HcurveRequest, public ::testing::WithParamInterface<TooSmall> {};

TEST_P(TooSmallArrays, AreRefusedUntouched) {
  Load(Stream("S3", 1.0, 1.0E6, 1.0) + Stream("S4", 1.0, 1.0, 1.0) + Unit(M, 5.0E5, M, M));
  LumbraProbeClearCalls();
  std::string ids(32, ' ');
  int64_t side = 1, ids_count = GetParam().ids_count, request_count = GetParam().request_count,
          value_count = GetParam().value_count, count = 0;
  HANDLE_HCURVE(&side, &ids_count, ids.data(), 8, &request_count, request.data(), &value_count,
                values.data(), &count, nullptr, 0, &status);
  EXPECT_EQ(status, 39);
  for (int w = 0; w < 19; ++w) EXPECT_EQ(request[w], kUntouched);
  EXPECT_EQ(values[0], kUntouchedValue);
  EXPECT_EQ(values[2], M);
  EXPECT_EQ(LumbraProbeCallCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(Arrays, TooSmallArrays,
                         ::testing::Values(TooSmall{"three_ids", 3, 20, 7},
                                           TooSmall{"nineteen_words", 4, 19, 7},
                                           TooSmall{"three_values", 4, 20, 3}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(HcurveRequest, ValueArrayOfSixHoldsFourLevels) {
  Load(Stream("S3", 1.0, 5.0E6, 1.0) + Stream("S4", 1.0, 1.0, 1.0) + Unit(2.0E6, M, M, M));
  values.resize(6);
  Ask(1);
  EXPECT_EQ(request[0], 4);
  EXPECT_EQ(values[2], 5.0E6);
  EXPECT_NEAR(values[5], 3.0E6, 1e-6);
}

TEST_F(HcurveRequest, NoMemoryForTheUnitRecordRaisesAfterTheFlows) {
  const auto fresh = [this] {
    SetUp();
    Load(Stream("S3", 2.0, 1.0E6, 1.0) + Stream("S4", 3.0, 1.0, 1.0) + Unit(M, 5.0E5, M, M));
  };
  const auto expect_raised = [this](const std::string& what) {
    const int before = LOADER_RAISE_LOG.count;
    EXPECT_THROW(Ask(1), LoaderRaised) << what;
    EXPECT_EQ(LOADER_RAISE_LOG.count, before + 1);
    EXPECT_EQ(LOADER_RAISE_LOG.last_code, NO_MEMORY_CODE);
    // The request words and the flows are in; the levels are not.
    ExpectFixedWords(request);
    EXPECT_EQ(values[0], 2.0);
    EXPECT_EQ(values[1], 3.0);
    EXPECT_EQ(values[2], M);
    EXPECT_EQ(request[0], kUntouched);
  };
  // Each of the record's six allocations in turn.
  for (int64_t nth = 1; nth <= 6; ++nth) {
    fresh();
    FailArrayAllocation(nth);
    expect_raised("allocation " + std::to_string(nth));
  }
  // A record whose counts cannot be held fails the same way.
  fresh();
  const int64_t huge[6] = {1, 1, int64_t{1} << 62, 1, 1, 1};
  ASSERT_EQ(LumbraProbeSetCounts("U1", "PLATE_QUOR_UNIT_INPUT", huge), 0);
  expect_raised("counts of 2^62");

  // The next request frees what the failed ones left and answers normally.
  FailArrayAllocation(0);
  fresh();
  Ask(1);
  EXPECT_EQ(request[0], 4);
  EXPECT_EQ(LiveArrayCount(), 0);
}

}  // namespace
