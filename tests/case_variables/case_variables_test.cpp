#include "exchange/case_variables_face.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "include/fixed_text.h"
#include "include/markers.h"
#include "tests/case_variables/fake_case.h"

namespace {

using testing::ElementsAre;
using testing::IsEmpty;

std::string Blanks(std::size_t n) { return std::string(n, ' '); }

class CaseVariables : public testing::Test {
 protected:
  void TearDown() override { EXPECT_TRUE(fake.AllReleased()); }

  FakeCase fake;
  // The caller's variable that holds the connection's case data.
  CaseData* case_data = &fake;
};

TEST_F(CaseVariables, PutIndexedValueThenItsFlagAtTheSameIndex) {
  fake.array_inputs.Add("FlowRate");
  fake.array_inputs.Add("ReviseForHeatBalance");
  {
    const ComPtr<ArrayVariables> inputs = GetArrayInputs(&case_data);
    PutIndexedReal(inputs.get(), "FlowRate", COLD_SIDE, 1.0, 1);
    PutIndexedInteger(inputs.get(), "ReviseForHeatBalance", HOT_SIDE, 2, 0);
  }
  EXPECT_THAT(fake.log, ElementsAre("ArrayInputs", "Item ArrayInputs FlowRate",
                                    "PutValue FlowRate 2 [   1.00000000000000]",
                                    "PutFlag FlowRate 2 1", "Item ArrayInputs ReviseForHeatBalance",
                                    "PutValue ReviseForHeatBalance 1 [" + Blanks(21) + "2]",
                                    "PutFlag ReviseForHeatBalance 1 0"));
}

TEST_F(CaseVariables, RealsReachTheServerWithLeadingBlanksAndNoTrailingOnes) {
  FakeArrayVariable& v = fake.array_inputs.Add("Temperature");
  {
    const ComPtr<ArrayVariables> inputs = GetArrayInputs(&case_data);
    const ComPtr<ArrayVariable> variable = FindVariable(inputs.get(), "Temperature");
    PutIndexedReal(variable.get(), 25, 0.5, 1);
    PutIndexedReal(variable.get(), 26, MISSING_REAL, 1);
    PutIndexedReal(variable.get(), 27, 0.05, 1);
  }
  EXPECT_THAT(
      v.log, ElementsAre(
                 "ArrayInputs", "Item ArrayInputs Temperature",
                 "PutValue Temperature 25 [  0.500000000000000]", "PutFlag Temperature 25 1",
                 "PutValue Temperature 26 [  1.000000000000000E+035]", "PutFlag Temperature 26 1",
                 "PutValue Temperature 27 [  5.000000000000000E-002]", "PutFlag Temperature 27 1"));
}

TEST_F(CaseVariables, TextScalarBlankAndMark) {
  fake.array_inputs.Add("DBToBeUsed");
  fake.array_inputs.Add("OutletTemperature");
  fake.array_inputs.Add("HeatLoad");
  fake.scalar_inputs.Add("PlateProgMode");
  fake.scalar_inputs.Add("AreaOfPlateS");
  {
    const ComPtr<ArrayVariables> arrays = GetArrayInputs(&case_data);
    const ComPtr<ScalarVariables> scalars = GetScalarInputs(&case_data);
    PutIndexedText(arrays.get(), "DBToBeUsed", COLD_SIDE, "4", 1);
    PutScalarInteger(scalars.get(), "PlateProgMode", 0);
    PutScalarReal(scalars.get(), "AreaOfPlateS", 0.5);
    BlankEntry(arrays.get(), "OutletTemperature", HOT_SIDE);
    MarkVariable(arrays.get(), "HeatLoad");
  }
  EXPECT_THAT(
      fake.log,
      ElementsAre("ArrayInputs", "ScalarInputs", "Item ArrayInputs DBToBeUsed",
                  "PutValue DBToBeUsed 2 [4]", "PutFlag DBToBeUsed 2 1",
                  "Item ScalarInputs PlateProgMode", "PutValue PlateProgMode [" + Blanks(21) + "0]",
                  "PutFlag PlateProgMode 1", "Item ScalarInputs AreaOfPlateS",
                  "PutValue AreaOfPlateS [  0.500000000000000]", "PutFlag AreaOfPlateS 1",
                  "Item ArrayInputs OutletTemperature",
                  // An empty text, not a missing one.
                  "PutValue OutletTemperature 1 []", "PutFlag OutletTemperature 1 0",
                  "Item ArrayInputs HeatLoad", "Mark HeatLoad -1 0"));
}

TEST_F(CaseVariables, NamesGoWithoutTheirTrailingBlanks) {
  fake.array_inputs.Add("Comp09LiqMoleFrc");
  {
    const ComPtr<ArrayVariables> inputs = GetArrayInputs(&case_data);
    const FixedText<20> name("Comp09LiqMoleFrc");
    MarkVariable(inputs.get(), name.view());
  }
  EXPECT_THAT(fake.log, ElementsAre("ArrayInputs", "Item ArrayInputs Comp09LiqMoleFrc",
                                    "Mark Comp09LiqMoleFrc -1 0"));
}

// A variable that a put or a mark names but the case lacks is skipped.
TEST_F(CaseVariables, PutsAndMarksOfAnAbsentVariableAreSkipped) {
  {
    const ComPtr<ArrayVariables> arrays = GetArrayInputs(&case_data);
    const ComPtr<ScalarVariables> scalars = GetScalarInputs(&case_data);
    PutIndexedReal(arrays.get(), "Diffusivity", 3, 1.5, 1);
    PutIndexedInteger(arrays.get(), "NumberofCurves", 1, 2, 1);
    PutIndexedText(arrays.get(), "DBToBeUsed", 1, "4", 1);
    BlankEntry(arrays.get(), "OutletMassQuality", 2);
    MarkVariable(arrays.get(), "Comp50VapMoleFrc");
    PutScalarReal(scalars.get(), "PlateWidth", 0.6);
    PutScalarInteger(scalars.get(), "PlateProgMode", 1);
  }
  EXPECT_THAT(fake.log,
              ElementsAre("ArrayInputs", "ScalarInputs", "Item ArrayInputs Diffusivity",
                          "Item ArrayInputs NumberofCurves", "Item ArrayInputs DBToBeUsed",
                          "Item ArrayInputs OutletMassQuality", "Item ArrayInputs Comp50VapMoleFrc",
                          "Item ScalarInputs PlateWidth", "Item ScalarInputs PlateProgMode"));
}

TEST_F(CaseVariables, NoCaseDataMeansNothingHappens) {
  CaseData* none = nullptr;
  CaseData* const* references[] = {&none, nullptr};
  for (CaseData* const* reference : references) {
    EXPECT_FALSE(GetArrayInputs(reference));
    EXPECT_FALSE(GetScalarInputs(reference));
    EXPECT_FALSE(GetArrayResults(reference));
    const ComPtr<ScalarVariables> results = GetScalarResults(reference);
    EXPECT_FALSE(results);
    double value = MISSING_REAL;
    EXPECT_FALSE(GetScalarReal(results.get(), "TotalHeatExchanged", value));
    EXPECT_EQ(value, MISSING_REAL);
    PutIndexedReal(GetArrayInputs(reference).get(), "FlowRate", 1, 1.0, 1);
    MarkVariable(nullptr, "HeatLoad");
    EXPECT_EQ(GetCount(nullptr), 0);
    EXPECT_TRUE(GetTextLine(nullptr, 1).blank());
  }
  EXPECT_THAT(fake.log, IsEmpty());
}

struct GetCase {
  const char* text;  // nullptr: the case has no such variable
  bool reads;
  double value;
};

class CaseVariablesGet : public CaseVariables, public testing::WithParamInterface<GetCase> {};

TEST_P(CaseVariablesGet, AReadReplacesThePresetOnlyWhenTheTextIsANumber) {
  const GetCase& c = GetParam();
  if (c.text) {
    fake.array_results.Add("DPTotal").values[2] = c.text;
    fake.scalar_results.Add("HTCDirty").value = c.text;
  }
  double indexed = MISSING_REAL;
  double scalar = MISSING_REAL;
  {
    const ComPtr<ArrayVariables> arrays = GetArrayResults(&case_data);
    const ComPtr<ScalarVariables> scalars = GetScalarResults(&case_data);
    EXPECT_EQ(GetIndexedReal(arrays.get(), "DPTotal", COLD_SIDE, indexed), c.reads);
    EXPECT_EQ(GetScalarReal(scalars.get(), "HTCDirty", scalar), c.reads);
  }
  EXPECT_EQ(indexed, c.reads ? c.value : MISSING_REAL);
  EXPECT_EQ(scalar, c.reads ? c.value : MISSING_REAL);
  if (!c.text) {
    // An absent variable is not asked for a value.
    EXPECT_THAT(fake.log, ElementsAre("ArrayResults", "ScalarResults", "Item ArrayResults DPTotal",
                                      "Item ScalarResults HTCDirty"));
  }
}

INSTANTIATE_TEST_SUITE_P(Texts, CaseVariablesGet,
                         testing::Values(GetCase{"  1.250000000000000E+004", true, 12500.0},
                                         GetCase{"110", true, 110.0},
                                         GetCase{"  -0.5   ", true, -0.5},
                                         GetCase{nullptr, false, 0}, GetCase{"", false, 0},
                                         GetCase{"      ", false, 0}, GetCase{"n/a", false, 0},
                                         GetCase{"***", false, 0}));

TEST_F(CaseVariables, AReadRealIsMultipliedByItsFactorWidenedFromSinglePrecision) {
  fake.scalar_results.Add("EffSurfTotal").value = "  2.000000000000000E+000";
  fake.array_results.Add("arReqArea").values[1] = "   100.000000000000";
  double area = 0;
  double required = 0;
  {
    const ComPtr<ScalarVariables> scalars = GetScalarResults(&case_data);
    const ComPtr<ArrayVariables> arrays = GetArrayResults(&case_data);
    ASSERT_TRUE(GetScalarReal(scalars.get(), "EffSurfTotal", area, 0.017453292f));
    ASSERT_TRUE(GetIndexedReal(arrays.get(), "arReqArea", 1, required, 1000.0f));
  }
  // The widened factor, not the decimal one: 0.017453292f is 0.01745329238474369.
  EXPECT_EQ(area, 2.0 * static_cast<double>(0.017453292f));
  EXPECT_NE(area, 2.0 * 0.017453292);
  EXPECT_EQ(required, 100000.0);
}

TEST_F(CaseVariables, AReadThatOverflowsWithItsFactorLeavesThePreset) {
  fake.scalar_results.Add("TotalHeatExchanged").value = "1.0E308";
  double duty = MISSING_REAL;
  const ComPtr<ScalarVariables> scalars = GetScalarResults(&case_data);
  EXPECT_FALSE(GetScalarReal(scalars.get(), "TotalHeatExchanged", duty, 1000.0f));
  EXPECT_EQ(duty, MISSING_REAL);
}

TEST_F(CaseVariables, IntegersAreReadAsWholeNumbersAtEachIndex) {
  FakeArrayVariable& passes = fake.array_results.Add("NumberofPasses");
  passes.values = {{1, Blanks(21) + "3"}, {2, "5.5"}};
  fake.scalar_results.Add("DoubleBankingOption").value = " 1";
  int64_t hot = 0, cold = 0, option = 0;
  {
    const ComPtr<ArrayVariables> arrays = GetArrayResults(&case_data);
    const ComPtr<ArrayVariable> variable = FindVariable(arrays.get(), "NumberofPasses");
    EXPECT_TRUE(GetIndexedInteger(variable.get(), HOT_SIDE, hot));
    EXPECT_FALSE(GetIndexedInteger(variable.get(), COLD_SIDE, cold));
    EXPECT_FALSE(GetIndexedInteger(variable.get(), 3, cold));  // the server fails the call
    const ComPtr<ScalarVariables> scalars = GetScalarResults(&case_data);
    EXPECT_TRUE(GetScalarInteger(scalars.get(), "DoubleBankingOption", option));
  }
  EXPECT_EQ(hot, 3);
  EXPECT_EQ(cold, 0);
  EXPECT_EQ(option, 1);
  EXPECT_THAT(
      passes.log,
      ElementsAre("ArrayResults", "Item ArrayResults NumberofPasses", "GetValue NumberofPasses 1",
                  "GetValue NumberofPasses 2", "GetValue NumberofPasses 3", "ScalarResults",
                  "Item ScalarResults DoubleBankingOption", "GetValue DoubleBankingOption"));
}

TEST_F(CaseVariables, TextLinesAndCounts) {
  FakeArrayVariable& messages = fake.array_results.Add("arTavikMsgs");
  messages.count = 3;
  messages.lines = {{1, " 6"}, {2, ""}, {3, std::string(70, 'x')}};
  {
    const ComPtr<ArrayVariable> variable =
        FindVariable(GetArrayResults(&case_data).get(), "arTavikMsgs");
    EXPECT_EQ(GetCount(variable.get()), 3);
    EXPECT_EQ(GetTextLine(variable.get(), 1).view(), " 6" + Blanks(VALUE_TEXT_LENGTH - 2));
    EXPECT_TRUE(GetTextLine(variable.get(), 2).blank());
    // A line longer than the value text is cut to it.
    EXPECT_EQ(GetTextLine(variable.get(), 3).view(), std::string(VALUE_TEXT_LENGTH, 'x'));
    // An entry the server cannot give reads as blank.
    EXPECT_TRUE(GetTextLine(variable.get(), 4).blank());
  }
  EXPECT_THAT(messages.log,
              ElementsAre("ArrayResults", "Item ArrayResults arTavikMsgs", "GetCount arTavikMsgs",
                          "GetText arTavikMsgs 1", "GetText arTavikMsgs 2", "GetText arTavikMsgs 3",
                          "GetText arTavikMsgs 4"));
}

// A lookup name is widened once and the same BSTR serves every later lookup;
// what the table does not hold still reaches the server whole.
TEST(HeldVariableNames, EachNameIsWidenedOnceAndFreedAtTheEnd) {
  FreeVariableNames();
  const BSTR first = HeldVariableName("Temperature");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(Bstr::ToAnsi(first), "Temperature");
  EXPECT_EQ(HeldVariableName("Temperature"), first);
  EXPECT_NE(HeldVariableName("Temperatur"), first);
  EXPECT_EQ(HeldVariableNameCount(), 2);

  // Not held: nothing to hold, not plain ASCII, longer than any variable name.
  EXPECT_EQ(HeldVariableName(""), nullptr);
  EXPECT_EQ(HeldVariableName("Temp\xE9rature"), nullptr);
  EXPECT_EQ(HeldVariableName(std::string_view("Temp\0x", 6)), nullptr);
  EXPECT_EQ(HeldVariableName(std::string(129, 'N')), nullptr);
  EXPECT_NE(HeldVariableName(std::string(128, 'N')), nullptr);

  FreeVariableNames();
  EXPECT_EQ(HeldVariableNameCount(), 0);
  const BSTR again = HeldVariableName("Temperature");
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(Bstr::ToAnsi(again), "Temperature");
  FreeVariableNames();
}

// Every put writes its value text over the one held BSTR, whose length
// follows the text; a text it cannot take is still put whole.
TEST_F(CaseVariables, ValueTextsShareOneBstrWhoseLengthFollowsTheText) {
  FreeValueText();
  const BSTR longer = HeldValueText("-1.50000000000000");
  ASSERT_NE(longer, nullptr);
  EXPECT_EQ(Bstr::ToAnsi(longer), "-1.50000000000000");
  const BSTR shorter = HeldValueText("4");
  EXPECT_EQ(shorter, longer);
  EXPECT_EQ(SysStringLen(shorter), 1u);
  EXPECT_EQ(shorter[1], 0);
  EXPECT_EQ(SysStringLen(HeldValueText("")), 0u);
  EXPECT_NE(HeldValueText(std::string(VALUE_TEXT_LENGTH, '9')), nullptr);
  EXPECT_EQ(HeldValueText(std::string(VALUE_TEXT_LENGTH + 1, '9')), nullptr);
  EXPECT_EQ(HeldValueText("Gr\xFC\xDF"), nullptr);

  fake.array_inputs.Add("Remark");
  {
    const ComPtr<ArrayVariables> inputs = GetArrayInputs(&case_data);
    PutIndexedText(inputs.get(), "Remark", 1, std::string(VALUE_TEXT_LENGTH + 4, '7'), 1);
    PutIndexedText(inputs.get(), "Remark", 2, "Gr\xFC\xDF  ", 1);
    PutIndexedInteger(inputs.get(), "Remark", 3, 12, 1);
  }
  EXPECT_THAT(
      fake.log,
      ElementsAre("ArrayInputs", "Item ArrayInputs Remark",
                  "PutValue Remark 1 [" + std::string(VALUE_TEXT_LENGTH + 4, '7') + "]",
                  "PutFlag Remark 1 1", "Item ArrayInputs Remark", "PutValue Remark 2 [Gr\xFC\xDF]",
                  "PutFlag Remark 2 1", "Item ArrayInputs Remark",
                  "PutValue Remark 3 [" + Blanks(20) + "12]", "PutFlag Remark 3 1"));
  FreeValueText();
  FreeValueText();
}

TEST_F(CaseVariables, AFullNameTableStillLooksEveryNameUp) {
  FreeVariableNames();
  int held = 0;
  for (int i = 0; HeldVariableName("Filler" + std::to_string(i)); ++i) ++held;
  EXPECT_EQ(held, HeldVariableNameCount());
  EXPECT_GT(held, 100);
  fake.array_inputs.Add("FlowRate");
  fake.array_inputs.Add("VaporDensity\xB3");
  {
    const ComPtr<ArrayVariables> inputs = GetArrayInputs(&case_data);
    PutIndexedReal(inputs.get(), "FlowRate  ", HOT_SIDE, 1.0, 1);
    MarkVariable(inputs.get(), "VaporDensity\xB3");
  }
  EXPECT_THAT(fake.log,
              ElementsAre("ArrayInputs", "Item ArrayInputs FlowRate",
                          "PutValue FlowRate 1 [   1.00000000000000]", "PutFlag FlowRate 1 1",
                          "Item ArrayInputs VaporDensity\xB3", "Mark VaporDensity\xB3 -1 0"));
  FreeVariableNames();
}

}  // namespace
