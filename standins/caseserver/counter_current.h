// The two streams of a plate pack in counter-current, each following its own
// heat-release curve: for a duty, the temperature profile along the pack, the
// closest approach, and the UA (overall coefficient times area) it needs,
// summed zone by zone between the curves' bends.
//
// Plain computation: no platform calls. Duty in W, flows in kg/s, UA in W/K.
#pragma once

#include <vector>

#include "standins/caseserver/heat_curve.h"

struct StreamPath {
  const HeatCurve* curve = nullptr;
  double flow = 0;            // kg/s, above 0
  double inlet_enthalpy = 0;  // J/kg on the stream's curve
};

class CounterCurrent {
 public:
  CounterCurrent(StreamPath hot, StreamPath cold);

  double HotOutletEnthalpy(double duty) const { return hot_.inlet_enthalpy - duty / hot_.flow; }
  double ColdOutletEnthalpy(double duty) const { return cold_.inlet_enthalpy + duty / cold_.flow; }

  // The largest duty at which the two temperatures still do not cross
  // anywhere along the pack (0 when the hot inlet is not the hotter).
  double MaxDuty() const { return max_duty_; }
  // The smallest hot-minus-cold temperature difference along the pack.
  double MinApproach(double duty) const;
  // The UA that the duty needs: the sum over the zones between the curves'
  // bends of each zone's duty over its logarithmic mean temperature
  // difference. 0 for no duty; infinite when the temperatures meet or cross.
  double RequiredUA(double duty) const;
  // The duty that a UA gives: RequiredUA(duty) = ua, within 0 .. MaxDuty().
  double DutyForUA(double ua) const;

 private:
  // Positions along the pack, as the duty passed from the cold inlet end,
  // where either curve bends; both ends included, rising.
  std::vector<double> Breaks(double duty) const;
  double Approach(double duty, double position) const;

  StreamPath hot_;
  StreamPath cold_;
  double max_duty_ = 0;
};

// The logarithmic mean of two temperature differences, both above 0.
double LogMeanDifference(double a, double b);
