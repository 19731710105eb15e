#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <charconv>
#include <string>

#include "standins/caseserver/model_messages.h"
#include "standins/caseserver/program_catalogue.h"
#include "standins/caseserver/rating_model.h"

namespace {

using ::testing::ElementsAre;

constexpr Collection AI = Collection::ArrayInputs;
constexpr Collection SI = Collection::ScalarInputs;
constexpr Collection AR = Collection::ArrayResults;
constexpr Collection SR = Collection::ScalarResults;

void Give(ProgramCase& c, Collection collection, const char* name, int index, std::string value,
          int64_t flag = 1) {
  c.Find(collection, name)->entry(index)->value = std::move(value);
  c.Find(collection, name)->entry(index)->flag = flag;
}

// Water curves from 10 to 100 at 4180 J/(kg K) on hot curve 1 and cold
// curve `cold_curve`, flows and inlets, 20 channels a side in one pass and
// the plate's dimensions, all as the library writes them.
ProgramCase WaterCase(int cold_curve = 1) {
  ProgramCase c = *NewProgramCase("Vodi");
  Give(c, SI, "PlateProgMode", 1, "                     3");
  const char* flows[] = {"   2.00000000000000", "   3.00000000000000"};
  const char* inlets[] = {"   90.0000000000000", "   15.0000000000000"};
  for (int side = 1; side <= 2; ++side) {
    Give(c, AI, "FlowRate", side, flows[side - 1]);
    Give(c, AI, "InletTemperature", side, inlets[side - 1]);
    Give(c, AI, "InletPressure", side, "   200000.000000000");
    Give(c, AI, "TotalNumberChannels", side, "                    20");
    Give(c, AI, "NumberofPasses", side, "                     1");
    const int curve = side == 1 ? 1 : cold_curve;
    Give(c, AI, "NumberofCurves", side, std::to_string(curve));
    const int first = (curve - 1) * 24 + 120 * (side - 1) + 1;
    for (int p = 0; p < 2; ++p) {
      const double t = p == 0 ? 10 : 100;
      Give(c, AI, "Temperature", first + p, std::to_string(t));
      Give(c, AI, "SpecificEnthalpy", first + p, std::to_string(4180 * t));
      Give(c, AI, "VaporMassFraction", first + p, "0");
      Give(c, AI, "LiquidDensity", first + p, "990");
      Give(c, AI, "LiquidViscosity", first + p, "6.0E-004");
      Give(c, AI, "LiquidThermalConductivity", first + p, "0.63");
      Give(c, AI, "LiquidSpecificHeat", first + p, "4180");
    }
  }
  const std::pair<const char*, const char*> plate[] = {{"AreaOfPlateS", "0.5"},
                                                       {"ChevronAngleToHorizontal", "60"},
                                                       {"CompressedPlatePitch", "0.0035"},
                                                       {"DoubleBankingOption", "0"},
                                                       {"HorizontalPortCentreDistance", "0.25"},
                                                       {"PlateThickness", "6.0D-004"},
                                                       {"PlateWidth", "0.5"},
                                                       {"PortDiameter", "0.1"},
                                                       {"VerticalPortCentreDistance", "1.2"}};
  for (const auto& [name, value] : plate) Give(c, SI, name, 1, value);
  return c;
}

double Number(const std::string& text) {
  double v = 0;
  std::from_chars(text.data(), text.data() + text.size(), v);
  return v;
}

std::vector<std::string> MessageLines(const ProgramCase& c) {
  std::vector<std::string> lines;
  for (const CaseEntry& e : c.Find(AR, "arTavikMsgs")->entries) lines.push_back(e.text);
  return lines;
}

TEST(RatingCaseInputs, ReadWhatIsGivenInTheCaseLayout) {
  ProgramCase c = WaterCase(/*cold_curve=*/2);
  Give(c, AI, "PressureReference", 7, "  1.500000000000000E+005");
  const RatingInput in = ReadRatingInput(c);
  EXPECT_EQ(in.mode, 3);
  EXPECT_EQ(in.sides[0].flow, 2.0);
  EXPECT_EQ(in.sides[1].inlet_temperature, 15.0);
  EXPECT_EQ(in.plate.thickness, 6.0e-4);  // a D exponent reads too
  ASSERT_EQ(in.sides[1].curves.size(), 2u);
  EXPECT_TRUE(in.sides[1].curves[0].points.empty());
  // Cold curve 2 starts at index 145 and takes its reference pressure from 7.
  ASSERT_EQ(in.sides[1].curves[1].points.size(), 2u);
  EXPECT_EQ(in.sides[1].curves[1].points[1].enthalpy, 418000);
  EXPECT_EQ(in.sides[1].curves[1].points[0].liquid.viscosity, 6.0e-4);
  EXPECT_EQ(in.sides[1].curves[1].reference_pressure, 1.5e5);
  EXPECT_EQ(in.sides[0].total_channels, 20);
}

TEST(RatingCaseInputs, WhatCountsAsNotGiven) {
  ProgramCase c = WaterCase();
  Give(c, AI, "FlowRate", 1, "   2.00000000000000", 0);    // flag 0
  Give(c, AI, "FlowRate", 2, "  1.000000000000000E+035");  // the missing marker
  Give(c, AI, "InletTemperature", 1, "ninety");            // no number
  Give(c, AI, "InletPressure", 1, "");                     // blank
  Give(c, AI, "TotalNumberChannels", 1, "20.5");           // not whole
  Give(c, AI, "InletTemperature", 2, "  15  ");            // blanks either side: a number
  Give(c, AI, "Temperature", 2, "", 0);                    // a gap ends the curve
  c.Remove(AI, "InletMassQuality");                        // a variable the case lacks
  const RatingInput in = ReadRatingInput(c);
  EXPECT_FALSE(in.sides[0].flow);
  EXPECT_FALSE(in.sides[1].flow);
  EXPECT_FALSE(in.sides[0].inlet_temperature);
  EXPECT_FALSE(in.sides[0].inlet_pressure);
  EXPECT_FALSE(in.sides[0].total_channels);
  EXPECT_FALSE(in.sides[0].inlet_quality);
  EXPECT_EQ(in.sides[1].inlet_temperature, 15.0);
  EXPECT_EQ(in.sides[0].curves[0].points.size(), 1u);
}

TEST(RatingModelOnACase, WritesEveryResultAndTheMessages) {
  ProgramCase c = WaterCase();
  RunRatingModel(c);
  EXPECT_THAT(MessageLines(c), ElementsAre("1"));
  const char* scalars[] = {"TotalHeatExchanged",
                           "EffSurfTotal",
                           "HTCDirty",
                           "HTCClean",
                           "MTDCorrected",
                           "HTCHotSide",
                           "HTCColdSide",
                           "AreaOfPlate",
                           "ChevronAngle",
                           "CompressedPlatePitch",
                           "DoubleBankingOption",
                           "HorizontalPortCentreDistance",
                           "PlateThickness",
                           "PlateWidth",
                           "PortDiameter",
                           "VerticalPortCentreDistance"};
  for (const char* name : scalars) {
    const CaseEntry& e = c.Find(SR, name)->entries[0];
    EXPECT_EQ(e.flag, 1) << name;
    EXPECT_FALSE(e.value.empty()) << name;
  }
  const char* arrays[] = {"arReqArea",
                          "arOutletTemperature",
                          "DPTotal",
                          "arFoulResistance",
                          "InletPortPoint",
                          "OutletPortPoint",
                          "TotalNumberChannels",
                          "NumberofPasses",
                          "NumberofChannelsInPass1",
                          "NumberofChannelsInPass5"};
  for (const char* name : arrays)
    for (int i = 1; i <= 2; ++i) EXPECT_EQ(c.Find(AR, name)->entry(i)->flag, 1) << name << i;
  EXPECT_EQ(c.Find(AR, "TotalNumberChannels")->entry(2)->value, "20");
  EXPECT_EQ(c.Find(AR, "NumberofChannelsInPass1")->entry(1)->value, "20");
  EXPECT_EQ(c.Find(AR, "NumberofChannelsInPass2")->entry(1)->value, "0");
  EXPECT_EQ(c.Find(SR, "AreaOfPlate")->entries[0].value, "0.5");
  EXPECT_EQ(c.Find(AR, "arFoulResistance")->entry(1)->value, "0");
  // The results read back to what the model found.
  const RatingResult r = RatePlateExchanger(ReadRatingInput(c));
  EXPECT_EQ(Number(c.Find(SR, "TotalHeatExchanged")->entries[0].value), r.duty);
  EXPECT_EQ(Number(c.Find(AR, "arOutletTemperature")->entry(2)->value),
            r.sides[1].outlet_temperature);
}

TEST(RatingModelOnACase, AStoppedRunLeavesNoEarlierResultBehind) {
  ProgramCase c = WaterCase();
  RunRatingModel(c);
  ASSERT_FALSE(c.Find(SR, "TotalHeatExchanged")->entries[0].value.empty());
  Give(c, AI, "FlowRate", 2, "", 0);
  RunRatingModel(c);
  EXPECT_THAT(MessageLines(c), ElementsAre("112", "39"));
  for (Collection collection : {AR, SR})
    for (const auto& [name, variable] : c.variables(collection))
      if (name != "arTavikMsgs")
        for (const CaseEntry& e : variable.entries) EXPECT_TRUE(e.blank()) << name;
}

TEST(RatingModelOnACase, ANewCaseStopsOnItsMissingInlets) {
  ProgramCase c = *NewProgramCase("Vodi");
  RunRatingModel(c);
  EXPECT_THAT(MessageLines(c), ElementsAre("111", "121", "112", "122", "39"));
}

TEST(RatingModelOnACase, ResultVariablesTheCaseLacksAreAdded) {
  ProgramCase c = WaterCase();
  c.Remove(SR, "HTCDirty");
  c.Remove(AR, "DPTotal");
  c.Remove(AR, "arTavikMsgs");
  RunRatingModel(c);
  ASSERT_NE(c.Find(SR, "HTCDirty"), nullptr);
  ASSERT_NE(c.Find(AR, "DPTotal"), nullptr);
  EXPECT_EQ(c.Find(AR, "DPTotal")->count(), 2);
  EXPECT_EQ(c.Find(AR, "DPTotal")->entry(2)->flag, 1);
  EXPECT_THAT(MessageLines(c), ElementsAre("1"));
}

}  // namespace
