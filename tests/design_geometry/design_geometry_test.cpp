#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "exchange/exchange_face.h"
#include "tests/common/exchange_case.h"

namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using ::testing::Not;

class DesignGeometryTest : public ExchangeCaseTest {
 protected:
  void Copy() {
    int64_t error_word = 0;
    COPY_DESIGN_GEOMETRY(&case_data, &error_word);
  }
  static void SetPair(const char* name, const char* hot, const char* cold) {
    SetValue(AR, name, 1, hot);
    SetValue(AR, name, 2, cold);
  }
  // A designed plate of 3 hot and 5 cold passes; pass N's channel counts are
  // 10 N + 1 (hot) and 10 N + 2 (cold).
  static void SetDesign() {
    SetValue(SR, "AreaOfPlate", 1, "0.5");
    SetValue(SR, "ChevronAngle", 1, "30");
    SetValue(SR, "CompressedPlatePitch", 1, "0.003");
    SetValue(SR, "DoubleBankingOption", 1, "1");
    SetValue(SR, "HorizontalPortCentreDistance", 1, "0.25");
    SetValue(SR, "PlateThickness", 1, "0.0006");
    SetValue(SR, "PlateWidth", 1, "0.4");
    SetValue(SR, "PortDiameter", 1, "0.1");
    SetValue(SR, "VerticalPortCentreDistance", 1, "1.1");
    SetPair("InletPortPoint", "1", "3");
    SetPair("OutletPortPoint", "2", "4");
    SetPair("TotalNumberChannels", "60", "61");
    SetPair("NumberofPasses", "3", "5");
    for (int n = 1; n <= 5; ++n) {
      const std::string name = "NumberofChannelsInPass" + std::to_string(n);
      SetPair(name.c_str(), std::to_string(10 * n + 1).c_str(), std::to_string(10 * n + 2).c_str());
    }
    CaseProbeClearLog();
  }
  static std::vector<std::string> PutPair(const std::string& name, int64_t hot, int64_t cold) {
    std::vector<std::string> calls = PutInteger(name, 1, hot, 1);
    Append(calls, PutInteger(name, 2, cold, 1));
    return calls;
  }
  static std::vector<std::string> ChannelPasses() {
    std::vector<std::string> passes;
    for (const std::string& call : VariableCalls({"PutValue|NumberofChannelsInPass"}))
      passes.push_back(call.substr(0, call.rfind('|')));
    return passes;
  }
};

TEST_F(DesignGeometryTest, TheDesignedGeometryBecomesTheInputsInWriteOrder) {
  SetDesign();
  Copy();

  std::vector<std::string> reads;
  for (const char* name : {"AreaOfPlate", "ChevronAngle", "CompressedPlatePitch",
                           "DoubleBankingOption", "HorizontalPortCentreDistance"})
    reads.push_back(std::string("GetValue|") + name);
  for (const char* name : {"InletPortPoint", "NumberofPasses", "NumberofChannelsInPass1",
                           "NumberofChannelsInPass2", "NumberofChannelsInPass3", "OutletPortPoint"})
    for (int side : {1, 2})
      reads.push_back(std::string("GetValue|") + name + "|" + std::to_string(side));
  for (const char* name : {"PlateThickness", "PlateWidth", "PortDiameter"})
    reads.push_back(std::string("GetValue|") + name);
  reads.push_back("GetValue|TotalNumberChannels|1");
  reads.push_back("GetValue|TotalNumberChannels|2");
  reads.push_back("GetValue|VerticalPortCentreDistance");
  EXPECT_THAT(VariableCalls({"Get"}), ElementsAreArray(reads));

  std::vector<std::string> writes;
  Append(writes, PutScalarReal("AreaOfPlateS", 0.5));
  Append(writes, PutScalarReal("ChevronAngleToHorizontal", 30));
  Append(writes, PutScalarReal("CompressedPlatePitch", 0.003));
  Append(writes, PutScalarReal("DoubleBankingOption", 1));
  Append(writes, PutScalarReal("HorizontalPortCentreDistance", 0.25));
  Append(writes, PutScalarReal("PlateThickness", 0.0006));
  Append(writes, PutScalarReal("PlateWidth", 0.4));
  Append(writes, PutScalarReal("PortDiameter", 0.1));
  Append(writes, PutScalarReal("VerticalPortCentreDistance", 1.1));
  Append(writes, PutPair("InletPortPoint", 1, 3));
  Append(writes, PutPair("OutletPortPoint", 2, 4));
  Append(writes, PutPair("TotalNumberChannels", 60, 61));
  // The hot side's three passes decide for both sides.
  Append(writes, PutPair("NumberofChannelsInPass1", 11, 12));
  Append(writes, PutPair("NumberofChannelsInPass2", 21, 22));
  Append(writes, PutPair("NumberofChannelsInPass3", 31, 32));
  Append(writes, PutPair("NumberofPasses", 3, 5));
  EXPECT_THAT(VariableCalls({"Put"}), ElementsAreArray(writes));
  EXPECT_EQ(writes[0], "PutValue|AreaOfPlateS|  0.500000000000000");
  EXPECT_EQ(case_probe::EntryAt(AI, "NumberofPasses", 2),
            (case_probe::Entry{"                     5", 1, ""}));
  EXPECT_EQ(case_probe::Flag(SI, "VerticalPortCentreDistance"), 1);
}

struct PassCase {
  const char* hot_passes;  // nullptr: the value left blank
  int copied;
};

class PassRuleTest : public DesignGeometryTest, public ::testing::WithParamInterface<PassCase> {};

TEST_P(PassRuleTest, ChannelCountsCrossForThePassesOfTheHotSide) {
  SetDesign();
  SetValue(AR, "NumberofPasses", 1, GetParam().hot_passes ? GetParam().hot_passes : "");
  CaseProbeClearLog();
  Copy();
  std::vector<std::string> expected;
  for (int n = 1; n <= GetParam().copied; ++n)
    for (int side : {1, 2})
      expected.push_back("PutValue|NumberofChannelsInPass" + std::to_string(n) + "|" +
                         std::to_string(side));
  EXPECT_THAT(ChannelPasses(), ElementsAreArray(expected));
  EXPECT_EQ(VariableCalls({"GetValue|NumberofChannelsInPass"}).size(),
            2u * static_cast<std::size_t>(GetParam().copied));
}

INSTANTIATE_TEST_SUITE_P(Passes, PassRuleTest,
                         ::testing::Values(PassCase{"3", 3}, PassCase{"1", 1}, PassCase{"5", 5},
                                           PassCase{"7", 5}, PassCase{"0", 0}, PassCase{nullptr, 0},
                                           PassCase{"-2", 0}, PassCase{"two", 0}));

TEST_F(DesignGeometryTest, NoPlateAreaMeansNothingIsWritten) {
  for (const char* area : {"", "0", "0.0E+000", "x"}) {
    SetDesign();
    SetValue(SR, "AreaOfPlate", 1, area);
    CaseProbeClearLog();
    Copy();
    EXPECT_THAT(VariableCalls(), ElementsAre("GetValue|AreaOfPlate")) << area;
    EXPECT_THAT(case_probe::Log(), Not(Contains("CaseData::GetScalarInputs"))) << area;
  }
  ASSERT_TRUE(CaseProbeRemoveVariable(SR, "AreaOfPlate"));
  CaseProbeClearLog();
  Copy();
  EXPECT_THAT(VariableCalls(), IsEmpty());
}

TEST_F(DesignGeometryTest, AResultTheCaseLacksIsWrittenAsZero) {
  SetValue(SR, "AreaOfPlate", 1, "0.5");
  ASSERT_TRUE(CaseProbeRemoveVariable(SR, "ChevronAngle"));
  CaseProbeClearLog();
  Copy();
  const std::vector<std::string> puts = VariableCalls({"Put"});
  ASSERT_GE(puts.size(), 4u);
  EXPECT_THAT(std::vector<std::string>(puts.begin(), puts.begin() + 4), ElementsAreArray([] {
                std::vector<std::string> v = PutScalarReal("AreaOfPlateS", 0.5);
                Append(v, PutScalarReal("ChevronAngleToHorizontal", 0));
                return v;
              }()));
  EXPECT_EQ(puts[2], "PutValue|ChevronAngleToHorizontal|  0.000000000000000E+000");
  // Blank indexed results are written as 0 too, each with its given flag.
  EXPECT_EQ(case_probe::EntryAt(AI, "TotalNumberChannels", 2),
            (case_probe::Entry{"                     0", 1, ""}));
}

TEST_F(DesignGeometryTest, InputsTheCaseLacksAreSkipped) {
  SetDesign();
  ASSERT_TRUE(CaseProbeRemoveVariable(SI, "PlateWidth"));
  ASSERT_TRUE(CaseProbeRemoveVariable(AI, "NumberofChannelsInPass2"));
  CaseProbeClearLog();
  Copy();
  EXPECT_THAT(
      ChannelPasses(),
      ElementsAre("PutValue|NumberofChannelsInPass1|1", "PutValue|NumberofChannelsInPass1|2",
                  "PutValue|NumberofChannelsInPass3|1", "PutValue|NumberofChannelsInPass3|2"));
  EXPECT_THAT(VariableCalls({"Put"}), Not(Contains(PutScalarReal("PlateWidth", 0.4)[0])));
  EXPECT_EQ(case_probe::Value(SI, "PortDiameter"),
            std::string(fixed::Trimmed(FormatRealValue(0.1))));
  EXPECT_EQ(case_probe::Value(AI, "NumberofPasses", 1), "                     3");
}

}  // namespace
