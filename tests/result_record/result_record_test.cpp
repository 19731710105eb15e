#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "exchange/exchange_face.h"
#include "include/markers.h"
#include "tests/common/exchange_case.h"

namespace {

using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

const std::string kId = "B1-RESULT";

class ResultRecordTest : public ExchangeCaseTest {
 protected:
  void Rebuild(int64_t pass) {
    int64_t error_word = 0;
    REBUILD_RESULT_OBJECT(kId.data(), static_cast<int64_t>(kId.size()), &pass, &case_data,
                          &error_word);
  }
  std::vector<double> PerformanceReals() {
    const StoredRecord r = ReadRecord(kId, "DOVI_PERFORMANCE");
    EXPECT_THAT(r.counts, ElementsAre(1, 0, 24, 0, 0, 0));
    EXPECT_THAT(r.ivals, ElementsAre(MISSING_INTEGER));
    return r.rvals;
  }
  static std::vector<std::string> RecordNames(const std::string& id) {
    std::vector<std::string> names;
    const int64_t n = LumbraProbeRecordCount(id.c_str());
    for (int64_t i = 1; i <= n; ++i) {
      char name[128] = {};
      LumbraProbeRecordName(id.c_str(), i, name, sizeof name);
      names.emplace_back(name);
    }
    return names;
  }
  static std::string ParentOf(const char* member) {
    char parent[128] = {};
    LumbraProbeMemberParent(kId.c_str(), member, parent, sizeof parent);
    return parent;
  }

  // Every result the record takes, with values that tell them apart.
  static void SetAllResults() {
    SetValue(SR, "TotalHeatExchanged", 1, "5000.5");
    SetValue(AR, "arReqArea", 1, "100");
    SetValue(AR, "arReqArea", 2, "125");
    SetValue(SR, "EffSurfTotal", 1, "110");
    SetValue(SR, "HTCDirty", 1, "2100");
    SetValue(SR, "HTCClean", 1, "2500");
    SetValue(SR, "MTDCorrected", 1, "12.5");
    SetValue(AR, "arOutletTemperature", 1, "61.25");
    SetValue(AR, "arOutletTemperature", 2, "38.75");
    SetValue(SR, "HTCHotSide", 1, "4200");
    SetValue(SR, "HTCColdSide", 1, "3900");
    SetValue(AR, "DPTotal", 1, "45000");
    SetValue(AR, "DPTotal", 2, "52000");
    SetValue(AR, "arFoulResistance", 1, "0.0001");
    SetValue(AR, "arFoulResistance", 2, "0.0002");
  }
};

TEST_F(ResultRecordTest, FirstPassRecreatesTheObjectWithItsMembersAndNoRecord) {
  LoadRepository(R"(
class "plate_heat_exchanger_unit"
object "B1-RESULT" class "plate_heat_exchanger_unit"
  member "Exchanger_performance"
  record "DOVI_PERFORMANCE" ivals 1 7 rvals 1 3.5 end
end
)");
  LumbraProbeClearCalls();
  Rebuild(1);

  char cls[64] = {};
  LumbraProbeObjectClass(kId.c_str(), cls, sizeof cls);
  EXPECT_STREQ(cls, "plate_heat_exchanger_unit");
  EXPECT_THAT(RecordNames(kId),
              ElementsAre("Exchanger_performance", "hotside_performance", "coldside_performance"));
  EXPECT_EQ(ParentOf("Exchanger_performance"), kId);
  EXPECT_EQ(ParentOf("hotside_performance"), "Exchanger_performance");
  EXPECT_EQ(ParentOf("coldside_performance"), "Exchanger_performance");

  const std::string object = std::to_string(LumbraProbeObjectHandle(kId.c_str()));
  const std::string performance =
      std::to_string(LumbraProbeMemberHandle(kId.c_str(), "Exchanger_performance"));
  EXPECT_THAT(RepositoryCalls(),
              ElementsAre("RPFIND|B1-RESULT", "RPDELE|B1-RESULT",
                          "RPNEW|B1-RESULT|plate_heat_exchanger_unit",
                          "RPALLO|B1-RESULT|Exchanger_performance|" + object,
                          "RPALLO|B1-RESULT|hotside_performance|" + performance,
                          "RPALLO|B1-RESULT|coldside_performance|" + performance));
  // The case is not asked for anything before the program has run.
  EXPECT_THAT(case_probe::Log(), ElementsAre());
}

TEST_F(ResultRecordTest, AnObjectThatIsNotThereIsOnlyCreated) {
  Rebuild(1);
  const std::vector<std::string> calls = RepositoryCalls();
  ASSERT_GE(calls.size(), 2u);
  EXPECT_EQ(calls[0], "RPFIND|B1-RESULT");
  EXPECT_EQ(calls[1], "RPNEW|B1-RESULT|plate_heat_exchanger_unit");
}

TEST_F(ResultRecordTest, SecondPassStoresEveryResultInPlaceWithItsFactor) {
  SetAllResults();
  SelectUnitSet(1.0f);  // factors other than 1, so each one shows
  const UnitFactors f = UNIT_FACTORS;
  auto times = [](double v, float factor) { return v * static_cast<double>(factor); };
  Rebuild(2);

  std::array<double, 24> expected;
  expected.fill(MISSING_REAL);
  expected[0] = times(5000.5, f.F_HEAT_DUTY);
  expected[1] = times(125, f.F_AREA);
  expected[2] = times(110, f.F_AREA);
  expected[3] = -12;  // the areas compared as the case holds them
  expected[4] = 10;
  expected[5] = times(2100, f.F_HTC);
  expected[6] = times(2500, f.F_HTC);
  expected[7] = 12.5;
  expected[8] = 61.25;
  expected[9] = times(4200, f.F_HTC);
  expected[10] = times(45000, f.F_PRESSURE);
  expected[13] = times(0.0001, f.F_FOULING);
  expected[16] = 38.75;
  expected[17] = times(3900, f.F_HTC);
  expected[18] = times(52000, f.F_PRESSURE);
  expected[21] = times(0.0002, f.F_FOULING);
  EXPECT_THAT(PerformanceReals(), ElementsAreArray(expected));

  EXPECT_THAT(
      VariableCalls(),
      ElementsAre("GetValue|TotalHeatExchanged", "GetValue|arReqArea|2", "GetValue|EffSurfTotal",
                  "GetValue|arReqArea|2", "GetValue|arReqArea|1", "GetValue|HTCDirty",
                  "GetValue|HTCClean", "GetValue|MTDCorrected", "GetValue|arOutletTemperature|1",
                  "GetValue|HTCHotSide", "GetValue|DPTotal|1", "GetValue|arFoulResistance|1",
                  "GetValue|arOutletTemperature|2", "GetValue|HTCColdSide", "GetValue|DPTotal|2",
                  "GetValue|arFoulResistance|2"));
  EXPECT_THAT(RecordNames(kId), ElementsAre("Exchanger_performance", "hotside_performance",
                                            "coldside_performance", "DOVI_PERFORMANCE"));
}

TEST_F(ResultRecordTest, ResultsTheCaseLacksOrLeavesBlankStayMissing) {
  // Blank: the new case's own state. Absent: the variables removed.
  Rebuild(2);
  EXPECT_THAT(PerformanceReals(), Each(MISSING_REAL));

  for (const char* name : {"TotalHeatExchanged", "EffSurfTotal", "HTCDirty", "HTCClean",
                           "MTDCorrected", "HTCHotSide", "HTCColdSide"})
    ASSERT_TRUE(CaseProbeRemoveVariable(SR, name));
  for (const char* name : {"arReqArea", "arOutletTemperature", "DPTotal", "arFoulResistance"})
    ASSERT_TRUE(CaseProbeRemoveVariable(AR, name));
  CaseProbeClearLog();
  Rebuild(2);
  EXPECT_THAT(PerformanceReals(), Each(MISSING_REAL));
  EXPECT_THAT(VariableCalls(), ElementsAre());  // nothing asked of absent variables
}

TEST_F(ResultRecordTest, TextsThatAreNotNumbersStayMissing) {
  SetAllResults();
  SetValue(SR, "HTCDirty", 1, "n/a");
  SetValue(AR, "DPTotal", 2, "1.5.5");
  SetValue(SR, "EffSurfTotal", 1, "***");
  Rebuild(2);
  const std::vector<double> reals = PerformanceReals();
  EXPECT_EQ(reals[5], MISSING_REAL);
  EXPECT_EQ(reals[18], MISSING_REAL);
  // Without the effective area neither it nor the percentages are known.
  EXPECT_EQ(reals[2], MISSING_REAL);
  EXPECT_EQ(reals[3], MISSING_REAL);
  EXPECT_EQ(reals[4], MISSING_REAL);
  EXPECT_EQ(reals[6], 2500);
}

struct AreaCase {
  const char* effective;
  const char* entry1;
  const char* entry2;
  double real3, real4, real5;
};

class AreaPercentTest : public ResultRecordTest, public ::testing::WithParamInterface<AreaCase> {};

TEST_P(AreaPercentTest, PercentagesOnlyForPositiveAreas) {
  const AreaCase& c = GetParam();
  if (*c.effective) SetValue(SR, "EffSurfTotal", 1, c.effective);
  if (*c.entry1) SetValue(AR, "arReqArea", 1, c.entry1);
  if (*c.entry2) SetValue(AR, "arReqArea", 2, c.entry2);
  Rebuild(2);
  const std::vector<double> reals = PerformanceReals();
  EXPECT_EQ(reals[2], c.real3);
  EXPECT_DOUBLE_EQ(reals[3], c.real4);
  EXPECT_DOUBLE_EQ(reals[4], c.real5);
}

constexpr double M = MISSING_REAL;
INSTANTIATE_TEST_SUITE_P(Areas, AreaPercentTest,
                         ::testing::Values(AreaCase{"110", "100", "125", 110, -12, 10},
                                           AreaCase{"0", "100", "125", 0, M, M},
                                           AreaCase{"110", "0", "125", 110, -12, M},
                                           AreaCase{"110", "100", "-5", 110, M, 10},
                                           AreaCase{"110", "", "", 110, M, M},
                                           AreaCase{"", "100", "125", M, M, M}));

TEST_F(ResultRecordTest, SecondRunReplacesTheRecordOfTheFirst) {
  SetAllResults();
  Rebuild(1);
  Rebuild(2);
  SetValue(SR, "TotalHeatExchanged", 1, "");
  SetValue(SR, "MTDCorrected", 1, "7");
  Rebuild(1);
  EXPECT_THAT(RecordNames(kId),
              ElementsAre("Exchanger_performance", "hotside_performance", "coldside_performance"));
  Rebuild(2);
  const std::vector<double> reals = PerformanceReals();
  EXPECT_EQ(reals[0], MISSING_REAL);
  EXPECT_EQ(reals[7], 7);
}

}  // namespace
