#include "standins/caseserver/plate_rating.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <ostream>
#include <string>

#include "standins/caseserver/model_messages.h"
#include "tests/rating_model/rating_fixtures.h"

namespace {

using namespace rating_fixtures;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

// The table cases below name themselves, in failure reports and test names.
template <class Case>
requires requires(Case c) { c.name; }
void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }
struct CaseName {
  template <class Info>
  std::string operator()(const Info& info) const {
    return info.param.name;
  }
};

TEST(PlateRating, SimulationGivesTheClassicalCounterCurrentDuty) {
  RatingInput in = WaterToWater();
  for (SideInput& s : in.sides) s.liquid_htc = 5000;
  in.sides[0].fouling = 1e-4;
  in.sides[1].fouling = 2e-4;
  const RatingResult r = RatePlateExchanger(in);
  ASSERT_TRUE(r.rated);
  EXPECT_THAT(r.messages, ElementsAre(kRunCompleted));

  const double clean = 2 / 5000.0 + kStandardPlate.thickness / kPlateConductivity;
  const double u = 1 / (clean + 3e-4);
  const double area = kStandardPlate.area * 39;
  const double cmin = 2 * 4180.0, cr = cmin / (3 * 4180.0), ntu = u * area / cmin;
  const double e = (1 - std::exp(-ntu * (1 - cr))) / (1 - cr * std::exp(-ntu * (1 - cr)));
  const double duty = e * cmin * 75;
  EXPECT_LT(Relative(r.duty, duty), 1e-9);
  EXPECT_DOUBLE_EQ(r.effective_area, area);
  EXPECT_LT(Relative(r.required_area_dirty, area), 1e-9);
  EXPECT_LT(Relative(r.required_area_clean, area * u / (1 / clean)), 1e-9);
  EXPECT_LT(Relative(r.htc_dirty, u), 1e-12);
  EXPECT_LT(Relative(r.htc_clean, 1 / clean), 1e-12);
  EXPECT_LT(Relative(r.sides[0].outlet_temperature, 90 - duty / cmin), 1e-9);
  EXPECT_LT(Relative(r.sides[1].outlet_temperature, 15 + duty / (3 * 4180.0)), 1e-9);
  EXPECT_DOUBLE_EQ(r.sides[0].film_coefficient, 5000);
  EXPECT_DOUBLE_EQ(r.sides[1].fouling, 2e-4);
  EXPECT_GT(r.sides[0].pressure_drop, 0);
}

struct ModeCase {
  const char* name;
  std::function<void(RatingInput&)> setup;
};

class EnergyBalance : public ::testing::TestWithParam<ModeCase> {};

TEST_P(EnergyBalance, ClosesOnTheCurvesWithOutletsBetweenTheInlets) {
  RatingInput in = BentWaterToWater();
  GetParam().setup(in);
  const RatingResult r = RatePlateExchanger(in);
  ASSERT_TRUE(r.rated) << ::testing::PrintToString(r.messages);
  const CurveInput& hot = in.sides[0].curves[0];
  const CurveInput& cold = in.sides[1].curves[0];
  const double th = r.sides[0].outlet_temperature, tc = r.sides[1].outlet_temperature;
  const double hot_duty = 2.0 * (EnthalpyOn(hot, 90) - EnthalpyOn(hot, th));
  const double cold_duty = 3.0 * (EnthalpyOn(cold, tc) - EnthalpyOn(cold, 15));
  EXPECT_LT(Relative(hot_duty, cold_duty), 1e-9);
  EXPECT_LT(Relative(hot_duty, r.duty), 1e-9);
  EXPECT_GT(th, 15);
  EXPECT_LT(th, 90);
  EXPECT_GT(tc, 15);
  EXPECT_LT(tc, 90);
  // The rating equation holds: duty = U x required area x mean difference.
  EXPECT_LT(Relative(r.htc_dirty * r.required_area_dirty * r.mtd, r.duty), 1e-9);
  EXPECT_LT(Relative(r.htc_clean * r.required_area_clean * r.mtd, r.duty), 1e-9);
  EXPECT_GE(r.effective_area, r.required_area_dirty * (1 - 1e-9));
  EXPECT_LT(r.mtd, 90 - 15);
}

INSTANTIATE_TEST_SUITE_P(Modes, EnergyBalance,
                         ::testing::Values(ModeCase{"Simulation", [](RatingInput&) {}},
                                           ModeCase{"CheckingAHeatLoad",
                                                    [](RatingInput& in) {
                                                      in.mode = 2;
                                                      in.heat_load = 250e3;
                                                    }},
                                           ModeCase{"CheckingAHotOutlet",
                                                    [](RatingInput& in) {
                                                      in.mode = 2;
                                                      in.sides[0].outlet_temperature = 55;
                                                    }},
                                           ModeCase{"DesigningForAColdOutlet",
                                                    [](RatingInput& in) {
                                                      in.mode = 1;
                                                      in.sides[1].outlet_temperature = 45;
                                                    }},
                                           ModeCase{"SimulationInPasses",
                                                    [](RatingInput& in) {
                                                      in.sides[0].passes = 2;
                                                      in.sides[1].passes = 4;
                                                    }}),
                         CaseName());

struct FixedCase {
  const char* name;
  std::function<void(RatingInput&)> setup;
  std::function<double(const RatingResult&)> observed;
  double expected;
};

class FixedHeatBalance : public ::testing::TestWithParam<FixedCase> {};

TEST_P(FixedHeatBalance, FixesWhatItNamesAndComputesTheRest) {
  RatingInput in = WaterToWater();
  in.mode = 2;
  GetParam().setup(in);
  const RatingResult r = RatePlateExchanger(in);
  ASSERT_TRUE(r.rated) << ::testing::PrintToString(r.messages);
  EXPECT_EQ(r.mode, ProgramMode::Checking);
  EXPECT_LT(Relative(GetParam().observed(r), GetParam().expected), 1e-9);
}

// 0.3 kg/s of steam from 130, condensing at 100 (latent heat 2 MJ/kg).
void CondensingHotSide(RatingInput& in) {
  in.sides[0] = Side(0.3, 130, CondensingCurve(0, 100, 200, 2.0e6));
  GivePack(in.sides[0], 20);
  in.sides[1].flow = 5.0;
}

// 0.2 kg/s of water from 20, boiling at 100, against 5 kg/s of water from 150.
void BoilingColdSide(RatingInput& in) {
  in.sides[0].flow = 5.0;
  in.sides[0].inlet_temperature = 150;
  in.sides[0].curves = {StraightCurve(10, 200, 4180.0)};
  in.sides[1] = Side(0.2, 20, CondensingCurve(0, 100, 200, 2.0e6));
  GivePack(in.sides[1], 20);
}

INSTANTIATE_TEST_SUITE_P(
    Values, FixedHeatBalance,
    ::testing::Values(
        FixedCase{"HeatLoad", [](RatingInput& in) { in.heat_load = 250e3; },
                  [](const RatingResult& r) { return r.duty; }, 250e3},
        FixedCase{"HotOutletTemperature",
                  [](RatingInput& in) { in.sides[0].outlet_temperature = 60; },
                  [](const RatingResult& r) { return r.sides[0].outlet_temperature; }, 60},
        FixedCase{"HotOutletTemperatureGivesItsDuty",
                  [](RatingInput& in) { in.sides[0].outlet_temperature = 60; },
                  [](const RatingResult& r) { return r.duty; }, 2 * 4180.0 * 30},
        FixedCase{"ColdOutletTemperature",
                  [](RatingInput& in) { in.sides[1].outlet_temperature = 40; },
                  [](const RatingResult& r) { return r.sides[1].outlet_temperature; }, 40},
        FixedCase{"HotOutletQuality",
                  [](RatingInput& in) {
                    CondensingHotSide(in);
                    in.sides[0].outlet_quality = 0.4;
                  },
                  // The superheat and 60 % of the latent heat.
                  [](const RatingResult& r) { return r.duty; }, 0.3 * (2080 * 30 + 0.6 * 2.0e6)},
        FixedCase{"ColdOutletQuality",
                  [](RatingInput& in) {
                    BoilingColdSide(in);
                    in.sides[1].outlet_quality = 0.5;
                  },
                  [](const RatingResult& r) { return r.duty; }, 0.2 * (4180 * 80 + 0.5 * 2.0e6)},
        FixedCase{"AHotInletOnItsPlateauPlacedByItsQuality",
                  [](RatingInput& in) {
                    CondensingHotSide(in);
                    in.sides[0].inlet_temperature = 100;
                    in.sides[0].inlet_quality = 0.9;
                    in.sides[0].outlet_quality = 0.4;
                  },
                  [](const RatingResult& r) { return r.duty; }, 0.3 * 0.5 * 2.0e6}),
    CaseName());

TEST(PlateRating, AnOverSpecifiedHeatBalanceTakesTheHeatLoad) {
  RatingInput in = WaterToWater();
  in.mode = 2;
  in.heat_load = 250e3;
  in.sides[0].outlet_temperature = 60;
  const RatingResult r = RatePlateExchanger(in);
  EXPECT_EQ(r.duty, 250e3);
  EXPECT_THAT(r.messages, ElementsAre(kHeatBalanceOverSpecified, kRunCompleted));
}

TEST(PlateRating, ModeDecidesWhetherTheHeatBalanceCounts) {
  const RatingResult simulated = RatePlateExchanger(WaterToWater());
  ASSERT_TRUE(simulated.rated);

  RatingInput checking = WaterToWater();  // checking without a fixed duty
  checking.mode = 2;
  RatingResult r = RatePlateExchanger(checking);
  EXPECT_EQ(r.mode, ProgramMode::Simulation);
  EXPECT_EQ(r.duty, simulated.duty);
  EXPECT_THAT(r.messages, ElementsAre(kCheckingWithoutHeatBalance, kRunCompleted));

  RatingInput ignored = WaterToWater();  // simulation leaves a heat load aside
  ignored.heat_load = 100e3;
  EXPECT_EQ(RatePlateExchanger(ignored).duty, simulated.duty);

  for (std::optional<int64_t> mode :
       {std::optional<int64_t>(), std::optional<int64_t>(0), std::optional<int64_t>(4)}) {
    RatingInput unknown = WaterToWater();
    unknown.mode = mode;
    r = RatePlateExchanger(unknown);
    EXPECT_EQ(r.mode, ProgramMode::Simulation);
    EXPECT_THAT(r.messages, ElementsAre(kModeNotKnown, kRunCompleted));
    unknown.heat_load = 100e3;
    r = RatePlateExchanger(unknown);
    EXPECT_EQ(r.mode, ProgramMode::Checking);
    EXPECT_EQ(r.duty, 100e3);
  }
}

TEST(PlateRating, TheCurveNearestTheInletPressureIsRated) {
  RatingInput in = WaterToWater();
  in.mode = 2;
  in.heat_load = 200e3;
  in.sides[0].curves = {StraightCurve(10, 100, 4180.0), StraightCurve(10, 100, 2000.0)};
  in.sides[0].curves[0].reference_pressure = 1e5;
  in.sides[0].curves[1].reference_pressure = 5e5;
  in.sides[0].inlet_pressure = 4.5e5;
  EXPECT_LT(Relative(RatePlateExchanger(in).sides[0].outlet_temperature, 90 - 200e3 / 4000), 1e-12);
  in.sides[0].inlet_pressure = 1.2e5;
  EXPECT_LT(Relative(RatePlateExchanger(in).sides[0].outlet_temperature, 90 - 200e3 / 8360), 1e-12);
}

struct StopCase {
  const char* name;
  std::function<void(RatingInput&)> setup;
  std::vector<int> messages;
};

class RunStops : public ::testing::TestWithParam<StopCase> {};

TEST_P(RunStops, WithItsCodesAndNoResults) {
  RatingInput in = WaterToWater();
  GetParam().setup(in);
  const RatingResult r = RatePlateExchanger(in);
  EXPECT_FALSE(r.rated);
  EXPECT_THAT(r.messages, ElementsAreArray(GetParam().messages));
}

INSTANTIATE_TEST_SUITE_P(
    Stops, RunStops,
    ::testing::Values(StopCase{"HotFlowMissing",
                               [](RatingInput& in) { in.sides[0].flow.reset(); },
                               {kFlowMissing + 1, kInletIncomplete}},
                      StopCase{"ColdFlowNotPositive",
                               [](RatingInput& in) { in.sides[1].flow = 0; },
                               {kFlowMissing + 2, kInletIncomplete}},
                      StopCase{"BothInletTemperaturesMissing",
                               [](RatingInput& in) {
                                 in.sides[0].inlet_temperature.reset();
                                 in.sides[1].inlet_temperature.reset();
                               },
                               {kInletTemperatureMissing + 1, kInletTemperatureMissing + 2,
                                kInletIncomplete}},
                      StopCase{"HotInletNotTheHotter",
                               [](RatingInput& in) { in.sides[0].inlet_temperature = 15; },
                               {kNoHeatCanPass}},
                      StopCase{"HeatLoadBeyondTheStreams",
                               [](RatingInput& in) {
                                 in.mode = 2;
                                 in.heat_load = 1e9;
                               },
                               {kDutyBeyondStreams, kHeatBalanceCannotClose}},
                      StopCase{"HotOutletAboveItsInlet",
                               [](RatingInput& in) {
                                 in.mode = 2;
                                 in.sides[0].outlet_temperature = 95;
                               },
                               {kDutyNotPositive, kHeatBalanceCannotClose}},
                      StopCase{"ColdOutletAboveTheHotInlet",
                               [](RatingInput& in) {
                                 in.mode = 1;
                                 in.sides[1].outlet_temperature = 91;
                               },
                               {kDutyBeyondStreams, kHeatBalanceCannotClose}},
                      StopCase{"OutletQualityTheCurveNeverReaches",
                               [](RatingInput& in) {
                                 in.mode = 2;
                                 in.sides[0].outlet_quality = 0.5;
                               },
                               {kOutletQualityNotOnCurve, kHeatBalanceCannotClose}},
                      StopCase{"DesignWithoutHeatBalance",
                               [](RatingInput& in) { in.mode = 1; },
                               {kDesignWithoutHeatBalance, kHeatBalanceCannotClose}},
                      StopCase{"NoChannelsOnEitherSide",
                               [](RatingInput& in) {
                                 for (SideInput& s : in.sides) s.total_channels.reset();
                               },
                               {kNoPlatePack}}),
    CaseName());

struct WarningCase {
  const char* name;
  std::function<void(RatingInput&)> setup;
  int code;
  std::function<void(const RatingResult&)> check = [](const RatingResult&) {};
};

class RunWarns : public ::testing::TestWithParam<WarningCase> {};

TEST_P(RunWarns, AndGoesOnWithItsDefault) {
  RatingInput in = WaterToWater();
  GetParam().setup(in);
  const RatingResult r = RatePlateExchanger(in);
  ASSERT_TRUE(r.rated) << ::testing::PrintToString(r.messages);
  EXPECT_THAT(r.messages, Contains(GetParam().code));
  EXPECT_EQ(r.messages.back(), kRunCompleted);
  EXPECT_GT(r.duty, 0);
  GetParam().check(r);
}

INSTANTIATE_TEST_SUITE_P(
    Warnings, RunWarns,
    ::testing::Values(
        WarningCase{"NoCurveTakesTheDefaultSpecificHeat",
                    [](RatingInput& in) {
                      in.mode = 2;
                      in.heat_load = 100e3;
                      in.sides[0].curves.clear();
                    },
                    kNoUsableCurve + 1,
                    [](const RatingResult& r) {
                      EXPECT_LT(Relative(r.sides[0].outlet_temperature,
                                         90 - 100e3 / (2 * kDefaultSpecificHeat)),
                                1e-12);
                    }},
        WarningCase{"AnUnusableCurveTakesTheDefaultToo",
                    [](RatingInput& in) {
                      std::swap(in.sides[1].curves[0].points[0].temperature,
                                in.sides[1].curves[0].points[1].temperature);
                    },
                    kNoUsableCurve + 2},
        WarningCase{"PropertiesMissing",
                    [](RatingInput& in) {
                      for (CurvePoint& p : in.sides[0].curves[0].points) p.liquid = {};
                    },
                    kPropertyMissing + 1},
        WarningCase{"PlateDimensionsMissing", [](RatingInput& in) { in.plate = {}; },
                    kPlateDimensionMissing,
                    [](const RatingResult& r) { EXPECT_EQ(r.plate.area, kStandardPlate.area); }},
        WarningCase{
            "PitchNotAboveThickness", [](RatingInput& in) { in.plate.thickness = 0.004; },
            kPlateDimensionMissing,
            [](const RatingResult& r) { EXPECT_EQ(r.plate.thickness, kStandardPlate.thickness); }},
        WarningCase{"ColdChannelsFromTheHotSide",
                    [](RatingInput& in) { in.sides[1].total_channels.reset(); },
                    kChannelsFromOtherSide,
                    [](const RatingResult& r) { EXPECT_EQ(r.pack[1].total_channels, 20); }},
        WarningCase{"PassesMissing", [](RatingInput& in) { in.sides[0].passes.reset(); },
                    kPassesNotUsable + 1,
                    [](const RatingResult& r) { EXPECT_EQ(r.pack[0].passes, 1); }},
        WarningCase{"PassCountsThatDoNotAddUp",
                    [](RatingInput& in) {
                      in.sides[1].passes = 3;
                      in.sides[1].channels_in_pass = {5, 5, 5};
                    },
                    kPassesNotUsable + 2,
                    [](const RatingResult& r) {
                      EXPECT_THAT(r.pack[1].channels_in_pass, ElementsAre(7, 7, 6, 0, 0));
                    }},
        WarningCase{"InletPressureMissingAmongCurves",
                    [](RatingInput& in) {
                      in.sides[0].curves.push_back(in.sides[0].curves[0]);
                      in.sides[0].inlet_pressure.reset();
                    },
                    kInletPressureMissing + 1},
        WarningCase{"NegativeFouling", [](RatingInput& in) { in.sides[1].fouling = -1e-4; },
                    kOptionOutOfRange + 2,
                    [](const RatingResult& r) { EXPECT_EQ(r.sides[1].fouling, 0); }},
        WarningCase{"InletQualityBeyondOne",
                    [](RatingInput& in) { in.sides[0].inlet_quality = 1.5; },
                    kOptionOutOfRange + 1},
        WarningCase{"CurveExtended",
                    [](RatingInput& in) { in.sides[0].curves = {StraightCurve(60, 100, 4180.0)}; },
                    kCurveExtended + 1},
        WarningCase{"PressureDropAboveAllowable",
                    [](RatingInput& in) { in.sides[0].allowable_pressure_drop = 1.0; },
                    kPressureDropAboveAllowable + 1}),
    CaseName());

TEST(PlateRating, PassCountsThatAddUpAreKept) {
  RatingInput in = WaterToWater();
  in.sides[1].passes = 2;
  in.sides[1].channels_in_pass = {12, 8};
  const RatingResult r = RatePlateExchanger(in);
  EXPECT_THAT(r.pack[1].channels_in_pass, ElementsAre(12, 8, 0, 0, 0));
  EXPECT_THAT(r.messages, ElementsAre(kRunCompleted));
}

RatingInput DesignCase() {
  RatingInput in = WaterToWater();
  in.mode = 1;
  in.heat_load = 400e3;
  for (SideInput& s : in.sides) {
    s.total_channels.reset();
    s.passes.reset();
  }
  in.plate = {};
  return in;
}

TEST(PlateDesign, TheSmallestPackThatCarriesTheDuty) {
  const RatingResult r = RatePlateExchanger(DesignCase());
  ASSERT_TRUE(r.rated);
  EXPECT_THAT(r.messages, ElementsAre(kRunCompleted));
  EXPECT_EQ(r.mode, ProgramMode::Design);
  const int64_t n = r.pack[0].total_channels;
  for (const PackSide& side : r.pack) {
    EXPECT_EQ(side.total_channels, n);
    EXPECT_EQ(side.passes, 1);
    EXPECT_THAT(side.channels_in_pass, ElementsAre(n, 0, 0, 0, 0));
  }
  EXPECT_EQ(r.pack[0].inlet_port, 1);
  EXPECT_EQ(r.pack[0].outlet_port, 2);
  EXPECT_EQ(r.pack[1].inlet_port, 3);
  EXPECT_EQ(r.pack[1].outlet_port, 4);
  EXPECT_EQ(r.plate.area, kStandardPlate.area);
  EXPECT_DOUBLE_EQ(r.effective_area, kStandardPlate.area * static_cast<double>(2 * n - 1));
  EXPECT_GE(r.effective_area, r.required_area_dirty);
  EXPECT_EQ(r.duty, 400e3);

  // One channel a side fewer would not do.
  RatingInput check = DesignCase();
  check.mode = 2;
  check.plate = StandardPlateGiven();
  for (SideInput& s : check.sides) GivePack(s, n - 1);
  const RatingResult smaller = RatePlateExchanger(check);
  ASSERT_TRUE(smaller.rated);
  EXPECT_LT(smaller.effective_area, smaller.required_area_dirty);
}

TEST(PlateDesign, KeepsWithinTheAllowablePressureDrop) {
  const RatingResult free = RatePlateExchanger(DesignCase());
  RatingInput in = DesignCase();
  const double allowable = 0.5 * free.sides[0].pressure_drop;
  in.sides[0].allowable_pressure_drop = allowable;
  const RatingResult r = RatePlateExchanger(in);
  ASSERT_TRUE(r.rated);
  EXPECT_GT(r.pack[0].total_channels, free.pack[0].total_channels);
  EXPECT_LE(r.sides[0].pressure_drop, allowable);
  EXPECT_THAT(r.messages, ElementsAre(kRunCompleted));
}

TEST(PlateDesign, StopsAtItsLargestPackAndSaysSo) {
  RatingInput in = DesignCase();
  in.heat_load = 0.99999 * 2 * 4180.0 * 75;
  const RatingResult r = RatePlateExchanger(in);
  ASSERT_TRUE(r.rated);
  EXPECT_EQ(r.pack[0].total_channels, 500);
  EXPECT_LT(r.effective_area, r.required_area_dirty);
  EXPECT_THAT(r.messages, ElementsAre(kDesignLimitReached, kRunCompleted));
}

TEST(PlateDesign, KeepsTheGivenPlateDimensions) {
  RatingInput in = DesignCase();
  in.plate.area = 0.8;
  in.plate.width = 0.6;
  const RatingResult r = RatePlateExchanger(in);
  ASSERT_TRUE(r.rated);
  EXPECT_EQ(r.plate.area, 0.8);
  EXPECT_EQ(r.plate.width, 0.6);
  EXPECT_EQ(r.plate.pitch, kStandardPlate.pitch);
}

}  // namespace
