// The heat-release-curve request through its entry point, with the loader and
// repository stand-ins: a failed allocation of the unit record reaches the
// host as status 40, after the request words and the flows are in.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "exchange/arrays_face.h"
#include "include/entry_points.h"
#include "include/markers.h"
#include "include/test_seams.h"
#include "standins/lumbra/repository_probe.h"
#include "tests/hcurve/hcurve_records_text.h"

namespace {

constexpr double M = MISSING_REAL;

class HcurveEntry : public ::testing::Test {
 protected:
  void SetUp() override {
    LumbraProbeReset();
    ASSERT_EQ(LumbraProbeLoadText((Stream("S3", 2.0, 1.0E6, 1.0) + Stream("S4", 3.0, 1.0, 1.0) +
                                   Unit(M, 5.0E5, M, M))
                                      .c_str()),
              0);
    request[19] = 3;
  }
  void TearDown() override {
    FailArrayAllocation(0);
    LumbraProbeReset();
  }

  int64_t Ask() {
    std::string ids =
        "U1      "
        "        "
        "S3      "
        "S4      ";
    int64_t side = 1, ids_count = 4, request_count = 20, value_count = 7, count = 0;
    int64_t status = -1;
    char text[2] = " ";
    ZOVK_VODI_HCURVE(&side, &ids_count, ids.data(), &request_count, request.data(), &value_count,
                     values.data(), &count, text, &status, 8, 1);
    return status;
  }

  std::vector<int64_t> request = std::vector<int64_t>(20, -7);
  std::vector<double> values = std::vector<double>(7, M);
};

TEST_F(HcurveEntry, AnsweredRequestKeepsTheRepositoryStatus) {
  EXPECT_EQ(Ask(), 0);
  EXPECT_EQ(request[0], 4);
  EXPECT_EQ(values[2], 1.0E6);
  EXPECT_NEAR(values[5], 5.0E5, 1e-6);
}

TEST_F(HcurveEntry, NoMemoryForTheUnitRecordGivesStatus40) {
  FailArrayAllocation(2);
  EXPECT_EQ(Ask(), 40);
  EXPECT_EQ(request[1], 24);
  EXPECT_EQ(request[15], 1);
  EXPECT_EQ(values[0], 2.0);
  EXPECT_EQ(values[1], 3.0);
  EXPECT_EQ(request[0], -7);
  EXPECT_EQ(values[2], M);

  // Counts the repository reports but no memory can hold, likewise.
  const int64_t huge[6] = {int64_t{1} << 62, 1, 1, 1, 1, 1};
  ASSERT_EQ(LumbraProbeSetCounts("U1", "PLATE_QUOR_UNIT_INPUT", huge), 0);
  EXPECT_EQ(Ask(), 40);

  // The next request is answered in full and leaves no array behind.
  SetUp();
  EXPECT_EQ(Ask(), 0);
  EXPECT_EQ(request[0], 4);
  EXPECT_EQ(LiveArrayCount(), 0);
}

}  // namespace
