// The reading of a heat-release curve from the repository: which records are
// asked for with which counts, and what an allocation failure leaves.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "include/test_seams.h"
#include "tests/curves/curve_fixture.h"

namespace {

using Lines = std::vector<std::string>;

// A curve of two points, one vapour entry at point 1.
CurveData TwoPoints() {
  CurveData c = PlainCurve(2);
  c.entries = {1, 0};
  AddEntry(c, 2, 0.0);
  return c;
}
const Lines kTwoPointCounts = {"2 1 1 1 1 1", "1 1 8 1 1 1", "1 1 10 1 1 1", "1 1 2 1 1 1",
                               "2 1 14 1 1 1"};

class HeatReleaseCurveReading : public CurveTest {
 protected:
  // The calls of a reading that read the first records whole, one count line each.
  static Lines Expected(const std::string& id, const Lines& counts) {
    Lines calls{"RPFIND|" + id};
    for (std::size_t r = 0; r < counts.size(); ++r) {
      calls.push_back("RPGETS|" + id + "|" + kCurveRecords[r]);
      calls.push_back("RPGETD|" + id + "|" + kCurveRecords[r] + "|" + counts[r] + "|32");
    }
    return calls;
  }
};

TEST_F(HeatReleaseCurveReading, ReadsTheFiveRecordsWholeInTheirOrder) {
  LoadCurve("CURVE-A", TwoPoints());
  EXPECT_EQ(Transfer("CURVE-A", 2), 0);
  EXPECT_EQ(RepositoryCalls(), Expected("CURVE-A", kTwoPointCounts));
  EXPECT_EQ(LOADER_RAISE_LOG.count, 0);
}

TEST_F(HeatReleaseCurveReading, ACurveTheRepositoryLacksIsStillReadWithCountsOfOne) {
  EXPECT_EQ(Transfer("NOWHERE", 1), 0);
  EXPECT_EQ(RepositoryCalls(), Expected("NOWHERE", Lines(5, "1 1 1 1 1 1")));
}

TEST_F(HeatReleaseCurveReading, StatedCountsAreHandedOnAndWhatTheRepositoryLeavesIsZero) {
  // A full curve first, so that the arrays of the next one are likely to get
  // its memory back: only the preset keeps its values out.
  CASE_LINK.HOTCURVE[2] = "FULL";
  LoadCurve("FULL", PlainCurve(3));
  ASSERT_EQ(Transfer("FULL", 3), 0);

  // Records that state three points and twelve reals but hold one point's worth.
  LoadCurve("CURVE-A", PlainCurve(1));
  const int64_t point_counts[6] = {3, 0, 0, 0, 0, 0};
  const int64_t thermo_counts[6] = {1, 0, 12, 0, 0, 0};
  ASSERT_EQ(LumbraProbeSetCounts("CURVE-A", kCurveRecords[0], point_counts), 0);
  ASSERT_EQ(LumbraProbeSetCounts("CURVE-A", kCurveRecords[1], thermo_counts), 0);
  LumbraProbeClearCalls();
  EXPECT_EQ(Transfer("CURVE-A", 2), 0);

  EXPECT_EQ(RepositoryCalls(), Expected("CURVE-A", {"3 1 1 1 1 1", "1 1 12 1 1 1", "1 1 1 1 1 1",
                                                    "1 1 2 1 1 1", "2 1 14 1 1 1"}));
  EXPECT_EQ(case_probe::Value(AI, "NumberOfPointsOnCurve", 1), std::string(21, ' ') + "3");
  EXPECT_EQ(case_probe::Value(AI, "Temperature", 25), "   100.000000000000");
  for (int at : {26, 27})
    for (const char* variable : {"Temperature", "SpecificEnthalpy", "VaporMassFraction"}) {
      SCOPED_TRACE(std::string(variable) + " at " + std::to_string(at));
      EXPECT_EQ(case_probe::Value(AI, variable, at), "  0.000000000000000E+000");
      EXPECT_EQ(case_probe::Flag(AI, variable, at), 1);
    }
}

TEST_F(HeatReleaseCurveReading, EveryAllocationSiteRaisesNoMemoryBeforeItsRecordIsRead) {
  LoadCurve("CURVE-A", TwoPoints());
  // Six arrays a record, five records.
  for (int64_t site = 1; site <= 30; ++site) {
    SCOPED_TRACE("allocation " + std::to_string(site));
    LumbraProbeClearCalls();
    CaseProbeClearLog();
    LOADER_RAISE_LOG = {};
    FailArrayAllocation(site);
    EXPECT_EQ(Transfer("CURVE-A", 2), 1400);
    EXPECT_EQ(LOADER_RAISE_LOG.count, 1);

    // The failing record's counts were asked for, its data was not, no
    // record after it was touched, and nothing reached the case.
    const auto failing = static_cast<std::size_t>((site - 1) / 6);
    Lines calls =
        Expected("CURVE-A", Lines(kTwoPointCounts.begin(), kTwoPointCounts.begin() + failing));
    calls.push_back(std::string("RPGETS|CURVE-A|") + kCurveRecords[failing]);
    EXPECT_EQ(RepositoryCalls(), calls);
    EXPECT_TRUE(case_probe::Log().empty());
    // What the cut-short call allocated is still held: every array before the failing one.
    EXPECT_EQ(LiveArrayCount(), site - 1);
  }

  // The next call begins by freeing what the last failure left, and ends with nothing held.
  LumbraProbeClearCalls();
  EXPECT_EQ(Transfer("CURVE-A", 2), 0);
  EXPECT_EQ(RepositoryCalls(), Expected("CURVE-A", kTwoPointCounts));
  EXPECT_EQ(LiveArrayCount(), 0);
  EXPECT_FALSE(VariableCalls().empty());
}

TEST_F(HeatReleaseCurveReading, RepeatedFailuresNeverHoldMoreThanOneCallsArrays) {
  LoadCurve("CURVE-A", TwoPoints());
  for (int i = 0; i < 5; ++i) {
    FailArrayAllocation(29);
    EXPECT_EQ(Transfer("CURVE-A", 2), 1400);
    EXPECT_EQ(LiveArrayCount(), 28);
  }
  FailArrayAllocation(2);
  EXPECT_EQ(Transfer("CURVE-A", 2), 1400);
  EXPECT_EQ(LiveArrayCount(), 1);
}

TEST_F(HeatReleaseCurveReading, AByteSizeBeyond64BitsIsAFailedAllocation) {
  struct Case {
    int record;
    int64_t counts[6];
  };
  constexpr int64_t kHuge = int64_t{1} << 62;  // 8 or 32 bytes an element do not fit
  for (const Case& c : {Case{0, {kHuge, 1, 1, 1, 1, 1}}, Case{2, {1, 1, kHuge, 1, 1, 1}},
                        Case{3, {1, 1, 1, 1, kHuge, 1}}, Case{4, {1, 1, 1, 1, 1, kHuge}}}) {
    SCOPED_TRACE(kCurveRecords[c.record]);
    LumbraProbeReset();
    LoadCurve("CURVE-A", TwoPoints());
    ASSERT_EQ(LumbraProbeSetCounts("CURVE-A", kCurveRecords[c.record], c.counts), 0);
    EXPECT_EQ(Transfer("CURVE-A", 2), 1400);
    EXPECT_EQ(RepositoryCalls().back(), std::string("RPGETS|CURVE-A|") + kCurveRecords[c.record]);
  }
}

}  // namespace
