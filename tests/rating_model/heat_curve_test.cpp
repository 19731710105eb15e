#include "standins/caseserver/heat_curve.h"

#include <gtest/gtest.h>

#include "tests/rating_model/rating_fixtures.h"

namespace {

using namespace rating_fixtures;

CurvePoint Point(double t, double h, std::optional<double> x = std::nullopt) {
  CurvePoint p;
  p.temperature = t;
  p.enthalpy = h;
  p.vapour_fraction = x;
  return p;
}

TEST(HeatCurve, InterpolatesBothWaysAndSortsItsPoints) {
  // Given out of order: the curve sorts by enthalpy.
  const auto c = HeatCurve::FromPoints({Point(50, 5000), Point(10, 1000), Point(30, 2000)});
  ASSERT_TRUE(c);
  EXPECT_DOUBLE_EQ(c->TemperatureAt(1500), 20);
  EXPECT_DOUBLE_EQ(c->TemperatureAt(3500), 40);
  EXPECT_DOUBLE_EQ(c->EnthalpyAt(20, PlateauEnd::Low), 1500);
  EXPECT_DOUBLE_EQ(c->EnthalpyAt(40, PlateauEnd::High), 3500);
  EXPECT_EQ(c->BreakEnthalpies(), (std::vector<double>{1000, 2000, 5000}));
  EXPECT_TRUE(c->Covers(5000));
  EXPECT_FALSE(c->Covers(5001));
}

TEST(HeatCurve, ExtendsBeyondItsEndsStraight) {
  // The end segments' own slopes: 50 J/(kg K) below, 150 above.
  const auto c = HeatCurve::FromPoints({Point(10, 1000), Point(30, 2000), Point(50, 5000)});
  ASSERT_TRUE(c);
  EXPECT_DOUBLE_EQ(c->EnthalpyAt(0, PlateauEnd::Low), 500);
  EXPECT_DOUBLE_EQ(c->EnthalpyAt(60, PlateauEnd::Low), 6500);
  EXPECT_DOUBLE_EQ(c->TemperatureAt(6500), 60);

  // One point: its own phase's specific heat, else the default.
  CurvePoint only = Point(20, 0, 0.0);
  only.liquid.specific_heat = 2000;
  const auto one = HeatCurve::FromPoints({only});
  ASSERT_TRUE(one);
  EXPECT_DOUBLE_EQ(one->EnthalpyAt(30, PlateauEnd::Low), 20000);
  const auto bare = HeatCurve::FromPoints({Point(20, 0)});
  EXPECT_DOUBLE_EQ(bare->EnthalpyAt(30, PlateauEnd::Low), 10 * kDefaultSpecificHeat);
}

TEST(HeatCurve, RefusesPointsThatCannotBeAHeatReleaseCurve) {
  EXPECT_FALSE(HeatCurve::FromPoints({}));
  // Temperature falling as enthalpy rises.
  EXPECT_FALSE(HeatCurve::FromPoints({Point(10, 1000), Point(5, 2000)}));
  // Two temperatures at one enthalpy.
  EXPECT_FALSE(HeatCurve::FromPoints({Point(10, 1000), Point(20, 1000)}));
  // The same point twice is one point.
  EXPECT_TRUE(HeatCurve::FromPoints({Point(10, 1000), Point(10, 1000), Point(20, 2000)}));
}

TEST(HeatCurve, PlateauEndsAndAnInletPlacedByItsVapourFraction) {
  const auto c = HeatCurve::FromPoints(CondensingCurve(20, 100, 140, 2.0e6).points);
  ASSERT_TRUE(c);
  const double liquid_top = kWater.specific_heat * 100;
  EXPECT_DOUBLE_EQ(c->EnthalpyAt(100, PlateauEnd::Low), liquid_top);
  EXPECT_DOUBLE_EQ(c->EnthalpyAt(100, PlateauEnd::High), liquid_top + 2.0e6);
  EXPECT_DOUBLE_EQ(c->TemperatureAt(liquid_top + 1.0e6), 100);
  EXPECT_DOUBLE_EQ(c->InletEnthalpy(100, 0.25, PlateauEnd::High), liquid_top + 0.5e6);
  EXPECT_DOUBLE_EQ(c->InletEnthalpy(100, std::nullopt, PlateauEnd::High), liquid_top + 2.0e6);
  // Off the plateau the vapour fraction plays no part.
  EXPECT_DOUBLE_EQ(c->InletEnthalpy(50, 0.25, PlateauEnd::High), kWater.specific_heat * 50);
  EXPECT_DOUBLE_EQ(*c->EnthalpyAtVapourFraction(0.75), liquid_top + 1.5e6);
  EXPECT_DOUBLE_EQ(*c->VapourFractionAt(liquid_top + 1.5e6), 0.75);
  EXPECT_FALSE(c->EnthalpyAtVapourFraction(1.5));
}

TEST(HeatCurve, PropertiesFromThePointsThatGiveThem) {
  std::vector<CurvePoint> points = {Point(10, 1000), Point(20, 2000), Point(30, 3000)};
  points[0].liquid.density = 1000;
  points[2].liquid.density = 900;
  points[1].liquid.density = 0;  // no density a fluid has: not given
  const auto c = HeatCurve::FromPoints(points);
  ASSERT_TRUE(c);
  auto density = [&](double h) {
    return c->PropertyAt(h, &CurvePoint::liquid, &PhaseProperties::density);
  };
  EXPECT_DOUBLE_EQ(*density(2000), 950);
  EXPECT_DOUBLE_EQ(*density(500), 1000);
  EXPECT_DOUBLE_EQ(*density(9000), 900);
  EXPECT_FALSE(c->PropertyAt(2000, &CurvePoint::vapour, &PhaseProperties::density));
  EXPECT_FALSE(c->VapourFractionAt(2000));
}

}  // namespace
