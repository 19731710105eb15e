#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "exchange/arrays_face.h"
#include "exchange/exchange_face.h"
#include "include/markers.h"
#include "include/test_seams.h"
#include "tests/common/exchange_case.h"
#include "tests/common/loader_raise_fake.h"

namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using ::testing::Not;

const std::string kUnit = "B1-UNIT";
const char* const kDumpFile = "Plate_Tavik.RPO";

// The unit input object with its options record: the integers and reals as
// the stand-in's text form writes them ("2 1 5": two integers, 1 and 5).
std::string UnitObject(const std::string& ivals, const std::string& rvals) {
  std::string record = "  record \"PLATE_QUOR_UNIT_INPUT\"\n";
  if (!ivals.empty()) record += "    ivals " + ivals + "\n";
  if (!rvals.empty()) record += "    rvals " + rvals + "\n";
  record += "    svals 1 \"unused\"\n  end\n";
  return "object \"" + kUnit + "\" class \"plate_heat_exchanger_unit_INPUT\"\n" + record + "end\n";
}

// Thirteen option values that tell the elements apart, then the heat-balance value.
constexpr const char* kAllReals =
    "14 1500 0.0001 5000 1.1 0.9 50000 30000 0.0002 6000 1.2 0.8 60000 40000 1234.5";

class UnitOptionsTest : public ExchangeCaseTest {
 protected:
  void SetUp() override {
    ExchangeCaseTest::SetUp();
    LOADER_RAISE_LOG = {};
    FailArrayAllocation(0);
    DeleteFileA(kDumpFile);
  }
  void TearDown() override {
    FailArrayAllocation(0);
    DeleteFileA(kDumpFile);
    ExchangeCaseTest::TearDown();
  }
  void Load(const std::string& ivals, const std::string& rvals) {
    LumbraProbeReset();
    LoadRepository(UnitObject(ivals, rvals));
    LumbraProbeClearCalls();
    CaseProbeClearLog();
  }
  // Puts the options with the transfer flag; answers the unit mode that
  // comes back for the mode that goes in.
  int64_t PutOptions(int64_t transfer_flag, int64_t unit_mode = 0) {
    int64_t error_word = 0;
    PUT_UNIT_OPTIONS(&transfer_flag, kUnit.data(), static_cast<int64_t>(kUnit.size()), &case_data,
                     &unit_mode, &error_word);
    return unit_mode;
  }
  static std::vector<std::string> Puts() { return VariableCalls({"Put", "Mark"}); }

  static std::vector<std::string> ProgramMode(int64_t mode) {
    return PutScalar("PlateProgMode", std::string(fixed::Trimmed(FormatIntegerValue(mode))));
  }
  static std::vector<std::string> Revise(int64_t flag) {
    std::vector<std::string> calls = PutInteger("ReviseForHeatBalance", 1, 2, flag);
    Append(calls, PutInteger("ReviseForHeatBalance", 2, 2, flag));
    return calls;
  }
  // One side's option values 2 to 7 (or 8 to 13) as they are put.
  static std::vector<std::string> SideOptions(int side, double fouling, double htc,
                                              double multiplier, double dp_multiplier,
                                              double allowable, double estimated, int64_t flag) {
    std::vector<std::string> calls;
    Append(calls, PutReal("FoulingResistance", side, fouling, flag));
    for (const char* name : {"LiquidHeatTrCoeff", "VaporHeatTrCoeff", "TwoPhaseHeatTrCoeff"})
      Append(calls, PutReal(name, side, htc, flag));
    for (const char* name : {"LiquidHTCMultiplier", "VaporHTCMultiplier", "TwoPhaseHTCMultiplier"})
      Append(calls, PutReal(name, side, multiplier, flag));
    Append(calls, PutReal("PressureDropMultiplier", side, dp_multiplier, flag));
    Append(calls, PutReal("AllowablePressureDrop", side, allowable, flag));
    Append(calls, PutReal("EstimatedPressureDrop", side, estimated, flag));
    return calls;
  }
};

TEST_F(UnitOptionsTest, ExecuteTransferPutsModeOptionsRevisionAndHeatBalanceInOrder) {
  Load("2 1 1", kAllReals);
  EXPECT_EQ(PutOptions(2), 1);

  std::vector<std::string> expected = ProgramMode(1);
  Append(expected, PutReal("HeatLoad", 1, 1500, 1));
  Append(expected, SideOptions(1, 0.0001, 5000, 1.1, 0.9, 50000, 30000, 1));
  Append(expected, SideOptions(2, 0.0002, 6000, 1.2, 0.8, 60000, 40000, 1));
  Append(expected, Revise(1));
  Append(expected, PutReal("HeatLoad", 1, 1234.5, 1));
  expected.push_back(Mark("OutletTemperature"));
  expected.push_back(Mark("OutletMassQuality"));
  EXPECT_THAT(Puts(), ElementsAreArray(expected));
  EXPECT_EQ(Puts()[0], "PutValue|PlateProgMode|                     1");
  EXPECT_THAT(RepositoryCalls(),
              ElementsAre("RPGETS|B1-UNIT|PLATE_QUOR_UNIT_INPUT",
                          "RPGETD|B1-UNIT|PLATE_QUOR_UNIT_INPUT|2 1 14 1 1 1|32"));
  EXPECT_EQ(LiveArrayCount(), 0);  // the record's arrays are freed
}

TEST_F(UnitOptionsTest, OptionValuesAreDividedByTheirFactorsButTheHeatBalanceValueIsNot) {
  Load("2 1 1", kAllReals);
  SelectUnitSet(1.0f);
  const UnitFactors f = UNIT_FACTORS;
  auto by = [](double v, float factor) { return v / static_cast<double>(factor); };
  PutOptions(2);
  const std::vector<std::string> puts = Puts();
  EXPECT_THAT(puts, Contains(PutReal("HeatLoad", 1, by(1500, f.F_HEAT_DUTY), 1)[0]));
  EXPECT_THAT(puts, Contains(PutReal("FoulingResistance", 2, by(0.0002, f.F_FOULING), 1)[0]));
  EXPECT_THAT(puts, Contains(PutReal("TwoPhaseHeatTrCoeff", 1, by(5000, f.F_HTC), 1)[0]));
  EXPECT_THAT(puts, Contains(PutReal("VaporHTCMultiplier", 2, 1.2, 1)[0]));
  EXPECT_THAT(puts, Contains(PutReal("EstimatedPressureDrop", 2, by(40000, f.F_PRESSURE), 1)[0]));
  EXPECT_THAT(puts, Contains(PutReal("HeatLoad", 1, 1234.5, 1)[0]));
}

TEST_F(UnitOptionsTest, OutputModeOnePutsNoOptionValueAndRevisesWithFlagZero) {
  Load("2 2 2", kAllReals);
  EXPECT_EQ(PutOptions(1), 2);
  std::vector<std::string> expected = ProgramMode(2);
  Append(expected, Revise(0));
  Append(expected, PutReal("OutletTemperature", 1, 1234.5, 1));
  expected.push_back(Mark("OutletMassQuality"));
  Append(expected, Put("OutletTemperature", 2, "", 0));
  expected.push_back(Mark("HeatLoad"));
  EXPECT_THAT(Puts(), ElementsAreArray(expected));
}

TEST_F(UnitOptionsTest, AGreaterTransferFlagGivesItsOwnGivenFlag) {
  Load("2 1 0", "2 1500 0.0001");
  PutOptions(3);
  std::vector<std::string> expected = ProgramMode(1);
  Append(expected, PutReal("HeatLoad", 1, 1500, 2));
  Append(expected, PutReal("FoulingResistance", 1, 0.0001, 2));
  Append(expected, Revise(2));
  EXPECT_THAT(Puts(), ElementsAreArray(expected));
}

// The steps that follow the revision words for each heat-balance setting.
struct HeatBalanceCase {
  int64_t spec;
  std::vector<std::string> steps;
};

std::vector<std::string> Steps(const char* name, int side, const char* marked, bool outlet,
                               double value = -7.5) {
  std::vector<std::string> steps = ExchangeCaseTest::PutReal(name, side, value, 1);
  steps.push_back(ExchangeCaseTest::Mark(marked));
  if (outlet) {
    Append(steps, ExchangeCaseTest::Put(name, side == 1 ? 2 : 1, "", 0));
    steps.push_back(ExchangeCaseTest::Mark("HeatLoad"));
  } else {
    steps.push_back(ExchangeCaseTest::Mark("OutletMassQuality"));
  }
  return steps;
}

std::vector<HeatBalanceCase> HeatBalanceCases() {
  const auto heat_load = Steps("HeatLoad", 1, "OutletTemperature", false);
  const auto hot_t = Steps("OutletTemperature", 1, "OutletMassQuality", true);
  const auto cold_t = Steps("OutletTemperature", 2, "OutletMassQuality", true);
  const auto hot_q = Steps("OutletMassQuality", 1, "OutletTemperature", true);
  const auto cold_q = Steps("OutletMassQuality", 2, "OutletTemperature", true);
  return {{1, heat_load}, {2, hot_t}, {3, cold_t}, {4, hot_t},           {5, cold_t},  {6, hot_q},
          {7, cold_q},    {8, hot_t}, {9, cold_t}, {10, hot_t},          {11, cold_t}, {12, hot_t},
          {0, {}},        {13, {}},   {-1, {}},    {MISSING_INTEGER, {}}};
}

class HeatBalanceTest : public UnitOptionsTest,
                        public ::testing::WithParamInterface<HeatBalanceCase> {};

TEST_P(HeatBalanceTest, SpecificationPutsTheValueAndFreesTheRest) {
  // The value goes in as it is: no factor, no test against the missing marker.
  Load("2 1 " + std::to_string(GetParam().spec),
       "14 1e35 1e35 1e35 1e35 1e35 1e35 1e35 1e35 1e35 1e35 1e35 1e35 1e35 -7.5");
  PutOptions(2);
  std::vector<std::string> expected = ProgramMode(1);
  Append(expected, Revise(1));
  Append(expected, GetParam().steps);
  EXPECT_THAT(Puts(), ElementsAreArray(expected));
}

INSTANTIATE_TEST_SUITE_P(Specs, HeatBalanceTest, ::testing::ValuesIn(HeatBalanceCases()));

TEST_F(UnitOptionsTest, HeatBalanceValueIsPutEvenWhenMarkedMissing) {
  Load("2 1 1", "14 1e35 1e35 1e35 1e35 1e35 1e35 1e35 1e35 1e35 1e35 1e35 1e35 1e35 1e35");
  PutOptions(2);
  EXPECT_THAT(Puts(), Contains(PutReal("HeatLoad", 1, 1.0E35, 1)[0]));
  EXPECT_THAT(Puts(), Contains("PutValue|HeatLoad|1|  1.000000000000000E+035"));
}

TEST_F(UnitOptionsTest, OnlyValuesBelowTheThresholdAreGiven) {
  Load("2 1 0", "3 1e34 9.99e33 5e34");
  PutOptions(2);
  std::vector<std::string> expected = ProgramMode(1);
  Append(expected, PutReal("FoulingResistance", 1, 9.99e33, 1));
  Append(expected, Revise(1));
  EXPECT_THAT(Puts(), ElementsAreArray(expected));
}

struct ModeCase {
  const char* ivals;
  int64_t mode_in;
  int64_t mode_out;
  bool program_mode_put;
  bool revised;  // and the setting (heat load) put
  bool marked;   // the three marks of a simulation run
};

class UnitModeTest : public UnitOptionsTest, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(UnitModeTest, UnitModeDecidesRevisionSpecificationOrMarks) {
  const ModeCase& c = GetParam();
  Load(c.ivals, "14 1e35 1e35 1e35 1e35 1e35 1e35 1e35 1e35 1e35 1e35 1e35 1e35 1e35 900");
  EXPECT_EQ(PutOptions(2, c.mode_in), c.mode_out);
  std::vector<std::string> expected;
  if (c.program_mode_put) Append(expected, ProgramMode(c.mode_out));
  if (c.revised) {
    Append(expected, Revise(1));
    Append(expected, Steps("HeatLoad", 1, "OutletTemperature", false, 900));
  }
  if (c.marked)
    for (const char* name : {"OutletTemperature", "OutletMassQuality", "HeatLoad"})
      expected.push_back(Mark(name));
  EXPECT_THAT(Puts(), ElementsAreArray(expected));
}

INSTANTIATE_TEST_SUITE_P(Modes, UnitModeTest,
                         ::testing::Values(ModeCase{"2 1 1", 0, 1, true, true, false},
                                           ModeCase{"2 0 1", 3, 0, true, true,
                                                    false},  // 0 is a mode too
                                           ModeCase{"2 3 1", 0, 3, true, false, true},
                                           ModeCase{"2 4 1", 0, 4, true, false, false},
                                           // No mode in the record: the caller's mode stays.
                                           ModeCase{"2 99999999 1", 3, 3, false, false, true},
                                           ModeCase{"2 99999999 1", 2, 2, false, true, false}));

TEST_F(UnitOptionsTest, ARecordWithoutIntegersPutsModeZeroAndNoSpecification) {
  Load("", kAllReals);
  EXPECT_EQ(PutOptions(1, 3), 0);
  std::vector<std::string> expected = ProgramMode(0);
  Append(expected, Revise(0));
  EXPECT_THAT(Puts(), ElementsAreArray(expected));
}

TEST_F(UnitOptionsTest, ElementsPastTheRecordsRealsAreNotGiven) {
  // Three reals: the heat load, the hot fouling and film coefficient; no
  // heat-balance value, so no setting although one is asked for.
  Load("2 1 2", "3 1500 0.0001 5000");
  PutOptions(2);
  std::vector<std::string> expected = ProgramMode(1);
  Append(expected, PutReal("HeatLoad", 1, 1500, 1));
  Append(expected, PutReal("FoulingResistance", 1, 0.0001, 1));
  for (const char* name : {"LiquidHeatTrCoeff", "VaporHeatTrCoeff", "TwoPhaseHeatTrCoeff"})
    Append(expected, PutReal(name, 1, 5000, 1));
  Append(expected, Revise(1));
  EXPECT_THAT(Puts(), ElementsAreArray(expected));

  // No reals at all: the one element the raised count makes room for is not given either.
  Load("2 1 1", "");
  PutOptions(2);
  expected = ProgramMode(1);
  Append(expected, Revise(1));
  EXPECT_THAT(Puts(), ElementsAreArray(expected));
}

TEST_F(UnitOptionsTest, VariablesTheCaseLacksAreSkipped) {
  Load("2 1 2", kAllReals);
  ASSERT_TRUE(CaseProbeRemoveVariable(SI, "PlateProgMode"));
  ASSERT_TRUE(CaseProbeRemoveVariable(AI, "VaporHeatTrCoeff"));
  ASSERT_TRUE(CaseProbeRemoveVariable(AI, "ReviseForHeatBalance"));
  ASSERT_TRUE(CaseProbeRemoveVariable(AI, "HeatLoad"));
  CaseProbeClearLog();
  EXPECT_EQ(PutOptions(2), 1);
  const std::vector<std::string> puts = Puts();
  EXPECT_EQ(puts.front(), PutReal("FoulingResistance", 1, 0.0001, 1)[0]);
  EXPECT_THAT(puts, Contains(PutReal("EstimatedPressureDrop", 2, 40000, 1)[1]));
  EXPECT_THAT(puts, Contains(Put("OutletTemperature", 2, "", 0)[1]));
  for (const std::string& call : puts) {
    EXPECT_EQ(call.find("VaporHeatTrCoeff"), std::string::npos);
    EXPECT_EQ(call.find("ReviseForHeatBalance"), std::string::npos);
  }
}

struct RemarkCase {
  const char* line;
  bool dumps;
};

class RemarkDumpTest : public UnitOptionsTest, public ::testing::WithParamInterface<RemarkCase> {};

TEST_P(RemarkDumpTest, AFirstRemarkLineBeginningWithTheRequestDumpsTheRepository) {
  Load("2 1 1", kAllReals);
  SetLine(AI, "Remarks", 1, GetParam().line);
  SetLine(AI, "Remarks", 2, "RPDUMP");  // only the first line counts
  CaseProbeClearLog();
  PutOptions(2);
  const std::vector<std::string> calls = RepositoryCalls();
  if (GetParam().dumps) {
    EXPECT_THAT(calls, Contains("RPDUMP|Plate_Tavik.RPO|1 1 1"));
    EXPECT_NE(GetFileAttributesA(kDumpFile), INVALID_FILE_ATTRIBUTES);
  } else {
    EXPECT_THAT(calls, Not(Contains("RPDUMP|Plate_Tavik.RPO|1 1 1")));
  }
  EXPECT_THAT(VariableCalls({"Get"}), ElementsAre("GetCount|Remarks", "GetText|Remarks|1"));
}

INSTANTIATE_TEST_SUITE_P(Lines, RemarkDumpTest,
                         ::testing::Values(RemarkCase{"RPDUMP", true},
                                           RemarkCase{"RPDUMP of this case, please", true},
                                           RemarkCase{"rpdump", false},
                                           RemarkCase{" RPDUMP", false}, RemarkCase{"RPDUM", false},
                                           RemarkCase{"", false}));

TEST_F(UnitOptionsTest, NoRemarksOrNoRemarkLinesMeansNoDump) {
  Load("2 1 1", kAllReals);
  ASSERT_TRUE(CaseProbeDefineVariable(AI, "Remarks", 0));
  CaseProbeClearLog();
  PutOptions(2);
  EXPECT_THAT(VariableCalls({"Get"}), ElementsAre("GetCount|Remarks"));

  ASSERT_TRUE(CaseProbeRemoveVariable(AI, "Remarks"));
  CaseProbeClearLog();
  PutOptions(2);
  EXPECT_THAT(VariableCalls({"Get"}), IsEmpty());
  EXPECT_THAT(RepositoryCalls(), Not(Contains("RPDUMP|Plate_Tavik.RPO|1 1 1")));
}

class AllocationFailureTest : public UnitOptionsTest, public ::testing::WithParamInterface<int> {};

TEST_P(AllocationFailureTest, EachArrayThatCannotBeHadRaisesNoMemoryAndLeaksNothing) {
  const int site = GetParam();  // IVALS, RVALS, SVALS, XVALS2, XVALS4, XVALS6
  Load("2 1 1", kAllReals);
  PutOptions(2);  // frees whatever an earlier call left held
  const int64_t before = LiveArrayCount();
  EXPECT_EQ(before, 0);
  LumbraProbeClearCalls();
  CaseProbeClearLog();
  for (int attempt = 1; attempt <= 2; ++attempt) {
    FailArrayAllocation(site);
    EXPECT_THROW(PutOptions(2), LoaderRaised);
    EXPECT_EQ(LOADER_RAISE_LOG.count, attempt);
    EXPECT_EQ(LOADER_RAISE_LOG.last_code, 1400);
    // The arrays had before the failure are held, once, not once per call.
    EXPECT_EQ(LiveArrayCount(), before + site - 1);
  }
  // Nothing after the allocation ran: no read of the record, no case variable.
  EXPECT_THAT(RepositoryCalls(), ElementsAre("RPGETS|B1-UNIT|PLATE_QUOR_UNIT_INPUT",
                                             "RPGETS|B1-UNIT|PLATE_QUOR_UNIT_INPUT"));
  EXPECT_THAT(case_probe::Log(), IsEmpty());

  // The next call that gets its memory frees what the failed ones left.
  EXPECT_EQ(PutOptions(2), 1);
  EXPECT_EQ(LiveArrayCount(), before);
}

INSTANTIATE_TEST_SUITE_P(Sites, AllocationFailureTest, ::testing::Range(1, 7));

TEST_F(UnitOptionsTest, CountsBeyondAnyMemoryRaiseNoMemory) {
  Load("2 1 1", kAllReals);
  const int64_t huge = int64_t{1} << 62;
  const int64_t counts[6] = {2, 0, huge, 0, 1, 0};
  ASSERT_EQ(LumbraProbeSetCounts(kUnit.c_str(), "PLATE_QUOR_UNIT_INPUT", counts), 0);
  EXPECT_THROW(PutOptions(2), LoaderRaised);
  EXPECT_EQ(LOADER_RAISE_LOG.last_code, 1400);
  EXPECT_THAT(case_probe::Log(), IsEmpty());
}

}  // namespace
