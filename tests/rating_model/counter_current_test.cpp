#include "standins/caseserver/counter_current.h"

#include <gtest/gtest.h>

#include <cmath>

#include "tests/rating_model/rating_fixtures.h"

namespace {

using namespace rating_fixtures;

HeatCurve Curve(const CurveInput& c) { return *HeatCurve::FromPoints(c.points); }

// Hot 2 kg/s of 4000 J/(kg K) from 90, cold 3 kg/s of 4000 from 20: capacity
// rates 8000 and 12000 W/K.
class ConstantSpecificHeat : public ::testing::Test {
 protected:
  HeatCurve hot = Curve(StraightCurve(0, 200, 4000));
  HeatCurve cold = Curve(StraightCurve(0, 200, 4000));
  CounterCurrent pack{{&hot, 2.0, 4000 * 90.0}, {&cold, 3.0, 4000 * 20.0}};
};

TEST_F(ConstantSpecificHeat, MaxDutyIsTheSmallerCapacityOverTheInletDifference) {
  EXPECT_NEAR(pack.MaxDuty(), 8000.0 * 70, 1e-6);
  EXPECT_GE(pack.MinApproach(pack.MaxDuty()), -1e-9);
  EXPECT_LT(pack.MinApproach(pack.MaxDuty() * 1.001), 0);
}

TEST_F(ConstantSpecificHeat, RequiredUAIsTheDutyOverTheEndsLogMean) {
  const double duty = 300000;
  const double hot_out = 90 - duty / 8000;
  const double cold_out = 20 + duty / 12000;
  const double lmtd = LogMeanDifference(90 - cold_out, hot_out - 20);
  EXPECT_NEAR(pack.RequiredUA(duty), duty / lmtd, 1e-9 * duty / lmtd);
  EXPECT_EQ(pack.RequiredUA(0), 0);
  EXPECT_TRUE(std::isinf(pack.RequiredUA(8000.0 * 71)));
}

TEST_F(ConstantSpecificHeat, DutyForUAIsTheEffectivenessOfTheClassicalCounterCurrent) {
  const double ua = 9000;
  const double cmin = 8000, cr = 8000.0 / 12000.0, ntu = ua / cmin;
  const double e = (1 - std::exp(-ntu * (1 - cr))) / (1 - cr * std::exp(-ntu * (1 - cr)));
  EXPECT_NEAR(pack.DutyForUA(ua), e * cmin * 70, 1e-9 * e * cmin * 70);
  EXPECT_NEAR(pack.RequiredUA(pack.DutyForUA(ua)), ua, 1e-8 * ua);
  EXPECT_EQ(pack.DutyForUA(0), 0);
}

TEST(CounterCurrent, ACondensingStreamPinchesWhereItStartsToCondense) {
  // 1 kg/s of steam from 140, condensing at 100, against 5 kg/s of water
  // (20000 W/K) from 20. The ends would allow 2.4 MW, but the water may not
  // pass 100 where the steam starts to condense, having taken only the
  // superheat beyond that point: 20000 x 80 + 2080 x 40 = 1.6832 MW.
  const HeatCurve hot = Curve(CondensingCurve(0, 100, 200, 2.0e6));
  const HeatCurve cold = Curve(StraightCurve(0, 200, 4000));
  const double hot_in = hot.EnthalpyAt(140, PlateauEnd::High);
  const CounterCurrent pack({&hot, 1.0, hot_in}, {&cold, 5.0, 4000 * 20.0});
  EXPECT_NEAR(pack.MaxDuty(), 1.6832e6, 1e-6);
  EXPECT_NEAR(pack.MinApproach(pack.MaxDuty()), 0, 1e-9);
  EXPECT_TRUE(std::isinf(pack.RequiredUA(1.69e6)));
  EXPECT_TRUE(std::isfinite(pack.RequiredUA(1.68e6)));
}

TEST(CounterCurrent, NoDutyWhenTheHotInletIsNotTheHotter) {
  const HeatCurve hot = Curve(StraightCurve(0, 200, 4000));
  const HeatCurve cold = Curve(StraightCurve(0, 200, 4000));
  const CounterCurrent pack({&hot, 1.0, 4000 * 50.0}, {&cold, 1.0, 4000 * 50.0});
  EXPECT_EQ(pack.MaxDuty(), 0);
  EXPECT_EQ(pack.DutyForUA(1000), 0);
}

TEST(LogMeanDifference, NearEqualEndsKeepTheirDigits) {
  EXPECT_NEAR(LogMeanDifference(10, 10), 10, 1e-14);
  EXPECT_NEAR(LogMeanDifference(10 * (1 + 1e-9), 10), 10 * (1 + 0.5e-9), 1e-13);
  EXPECT_NEAR(LogMeanDifference(20, 10), 10 / std::log(2.0), 1e-12);
}

}  // namespace
