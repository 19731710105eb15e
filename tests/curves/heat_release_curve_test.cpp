// The reading of a heat-release curve from the repository: which records are
// asked for with which counts, and what an allocation failure leaves.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../lumbra/repository_fixture.h"
#include "arrays.h"
#include "exchange.h"
#include "fixed_text.h"
#include "loader_raise_fake.h"

namespace {

const char* const kRecords[] = {"STHE_HRC_POINT", "STHE_HRC_THERMODYNAMIC", "STHE_HRC_PHASE",
                                "STHE_HRC_PHASE_COMPOSITION", "STHE_HRC_COMPONENT_PROPERTIES"};

// A curve of two points, one vapour entry at point 1, two components.
constexpr char kCurve[] = R"(
object "HRC-1" class "CURVE_OBJECT"
  record "STHE_HRC_POINT"
    ivals 2
      1 0
  end
  record "STHE_HRC_THERMODYNAMIC"
    ivals 1
      99999999
    rvals 8
      350 2.5e5 1.2e6 1    330 2.4e5 1.0e6 0.5
  end
  record "STHE_HRC_PHASE"
    ivals 1
      2
    rvals 10
      0 18 0.6 2000 1e-5 0.02 0 3e-5 0 0
    svals 1
      "VAPOUR"
  end
  record "STHE_HRC_PHASE_COMPOSITION"
    rvals 2
      0.4 0.6
  end
  record "STHE_HRC_COMPONENT_PROPERTIES"
    ivals 2
      7 2
    rvals 14
      1 2 3 4 5 6 7 8 9 10 11 12 13 14
  end
end
)";

class HeatReleaseCurveReading : public RepositoryTest {
 protected:
  void SetUp() override {
    RepositoryTest::SetUp();
    FailArrayAllocation(0);
    LOADER_RAISE_LOG = {};
  }
  // A call that runs through frees whatever an earlier raised call left.
  void TearDown() override {
    FailArrayAllocation(0);
    LumbraProbeReset();
    EXPECT_EQ(Read("ANY"), 0);
    EXPECT_EQ(LiveArrayCount(), 0);
    RepositoryTest::TearDown();
  }

  // Reads the curve as the execute driver does; answers the code raised, 0 for none.
  static int64_t Read(std::string_view id, int64_t curve_number = 1) {
    const FixedText<128> curve_id(id);
    const int64_t transfer_flag = 2, reserved = 0;
    int64_t error_word = 0;
    CaseData* no_case = nullptr;
    try {
      READ_HEAT_RELEASE_CURVE(&transfer_flag, &no_case, &curve_number, curve_id.data(),
                              curve_id.length(), &reserved, &error_word);
      return 0;
    } catch (const LoaderRaised& raised) {
      return raised.code;
    }
  }

  // The calls of a reading that read the first records whole, one count line each.
  static std::vector<std::string> Expected(const std::string& id,
                                           const std::vector<std::string>& counts) {
    std::vector<std::string> calls{"RPFIND|" + id};
    for (std::size_t r = 0; r < counts.size(); ++r) {
      calls.push_back("RPGETS|" + id + "|" + kRecords[r]);
      calls.push_back("RPGETD|" + id + "|" + kRecords[r] + "|" + counts[r] + "|32");
    }
    return calls;
  }
};

TEST_F(HeatReleaseCurveReading, ReadsTheFiveRecordsWholeInTheirOrder) {
  ASSERT_EQ(LumbraProbeLoadText(kCurve), 0);
  EXPECT_EQ(Read("HRC-1"), 0);
  EXPECT_EQ(Calls(), Expected("HRC-1", {"2 1 1 1 1 1", "1 1 8 1 1 1", "1 1 10 1 1 1", "1 1 2 1 1 1",
                                        "2 1 14 1 1 1"}));
  EXPECT_EQ(LOADER_RAISE_LOG.count, 0);
}

TEST_F(HeatReleaseCurveReading, ACurveTheRepositoryLacksIsStillReadWithCountsOfOne) {
  EXPECT_EQ(Read("NOWHERE"), 0);
  const std::string ones = "1 1 1 1 1 1";
  EXPECT_EQ(Calls(), Expected("NOWHERE", {ones, ones, ones, ones, ones}));
}

TEST_F(HeatReleaseCurveReading, EveryAllocationSiteRaisesNoMemoryBeforeItsRecordIsRead) {
  ASSERT_EQ(LumbraProbeLoadText(kCurve), 0);
  const std::vector<std::string> whole = {"2 1 1 1 1 1", "1 1 8 1 1 1", "1 1 10 1 1 1",
                                          "1 1 2 1 1 1", "2 1 14 1 1 1"};
  // Six arrays a record, five records.
  for (int64_t site = 1; site <= 30; ++site) {
    SCOPED_TRACE("allocation " + std::to_string(site));
    LumbraProbeClearCalls();
    LOADER_RAISE_LOG = {};
    FailArrayAllocation(site);
    EXPECT_EQ(Read("HRC-1"), 1400);
    EXPECT_EQ(LOADER_RAISE_LOG.count, 1);

    // The failing record's counts were asked for, its data was not, and no
    // record after it was touched.
    const auto failing = static_cast<std::size_t>((site - 1) / 6);
    std::vector<std::string> calls =
        Expected("HRC-1", std::vector<std::string>(whole.begin(), whole.begin() + failing));
    calls.push_back(std::string("RPGETS|HRC-1|") + kRecords[failing]);
    EXPECT_EQ(Calls(), calls);
    // What the cut-short call allocated is still held: every array before the failing one.
    EXPECT_EQ(LiveArrayCount(), site - 1);
  }

  // The next call begins by freeing what the last failure left, and ends with nothing held.
  LumbraProbeClearCalls();
  EXPECT_EQ(Read("HRC-1"), 0);
  EXPECT_EQ(Calls(), Expected("HRC-1", whole));
  EXPECT_EQ(LiveArrayCount(), 0);
}

TEST_F(HeatReleaseCurveReading, RepeatedFailuresNeverHoldMoreThanOneCallsArrays) {
  ASSERT_EQ(LumbraProbeLoadText(kCurve), 0);
  for (int i = 0; i < 5; ++i) {
    FailArrayAllocation(29);
    EXPECT_EQ(Read("HRC-1"), 1400);
    EXPECT_EQ(LiveArrayCount(), 28);
  }
  FailArrayAllocation(2);
  EXPECT_EQ(Read("HRC-1"), 1400);
  EXPECT_EQ(LiveArrayCount(), 1);
}

TEST_F(HeatReleaseCurveReading, AByteSizeBeyond64BitsIsAFailedAllocation) {
  ASSERT_EQ(LumbraProbeLoadText(kCurve), 0);
  struct Case {
    int record;
    int64_t counts[6];
  };
  constexpr int64_t kHuge = int64_t{1} << 62;  // 8 or 32 bytes an element do not fit
  for (const Case& c : {Case{0, {kHuge, 1, 1, 1, 1, 1}}, Case{2, {1, 1, kHuge, 1, 1, 1}},
                        Case{3, {1, 1, 1, 1, kHuge, 1}}, Case{4, {1, 1, 1, 1, 1, kHuge}}}) {
    SCOPED_TRACE(kRecords[c.record]);
    LumbraProbeReset();
    ASSERT_EQ(LumbraProbeLoadText(kCurve), 0);
    ASSERT_EQ(LumbraProbeSetCounts("HRC-1", kRecords[c.record], c.counts), 0);
    EXPECT_EQ(Read("HRC-1"), 1400);
    const std::vector<std::string> calls = Calls();
    EXPECT_EQ(calls.back(), std::string("RPGETS|HRC-1|") + kRecords[c.record]);
  }
}

}  // namespace
