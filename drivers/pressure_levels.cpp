// The choice of the pressure levels of a heat-release-curve request.
#include "drivers/pressure_levels.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "include/markers.h"

namespace {

// The host's own computation holds these four in single precision and widens
// them; the levels it expects follow from the widened values.
constexpr double kStepFraction = static_cast<double>(0.2f);
constexpr double kStepOffsetFraction = static_cast<double>(0.01f);
constexpr double kGivenLowFraction = static_cast<double>(0.98f);
constexpr double kRatioBase = static_cast<double>(0.7f);

constexpr double kDefaultLowFraction = 0.9;
constexpr double kRatioCeiling = 0.95;
constexpr double kStepOffset = 1.0E6;
constexpr double kRatioPressure = 5.0E6;

bool IsSide(int64_t side) { return side == 1 || side == 2; }

// The host's levels: those of values(3) to (6) below the missing marker, put
// first and highest first; the places after them keep what the host wrote.
int PutGivenLevels(double* values, int places) {
  double given[MAX_GIVEN_LEVELS];
  int n = 0;
  for (int k = 2; k < 2 + places; ++k)
    if (values[k] < MISSING_REAL) given[n++] = values[k];
  std::sort(given, given + n, std::greater<double>());
  std::copy(given, given + n, values + 2);
  return n;
}

// n levels from high down to low, spaced geometrically. Pressures that are not
// both above zero admit no ratio; the levels are then spaced evenly, so the
// host never receives a level that is not a number.
void SpaceLevels(double high, double low, int n, double* levels) {
  if (high > 0.0 && low > 0.0) {
    const double ratio = std::pow(low / high, 1.0 / static_cast<double>(n - 1));
    double power = 1.0;
    for (int j = 0; j < n; ++j) {
      levels[j] = high * power;
      power *= ratio;
    }
    return;
  }
  const double step = (high - low) / static_cast<double>(n - 1);
  for (int j = 0; j < n; ++j) levels[j] = high - step * static_cast<double>(j);
}

}  // namespace

void CHOOSE_PRESSURE_LEVELS(int64_t side, double inlet_pressure, double drop, double estimated_drop,
                            int64_t room, int64_t* request, double* values) {
  if (room < 2) return;  // not even one pair fits
  const double p = inlet_pressure;

  // The step down from the inlet: the host's drop when it gives one, else a
  // default that grows with the pressure.
  bool given = false;
  double step = 0.0;
  if (IsSide(side)) {
    if (drop > 0.0) {
      step = drop;
      given = true;
    } else {
      step = std::min(kStepFraction * p, kStepOffsetFraction * (p + kStepOffset));
    }
  }

  double outlet;
  if (IsSide(side) && estimated_drop < MISSING_REAL) {
    outlet = p - estimated_drop;
    given = true;
  } else {
    outlet = p - step;
  }

  const double high = std::max(p, outlet);
  const double low = std::min(p, outlet);
  const double low_bound =
      given ? std::min(kGivenLowFraction * high, low) : kDefaultLowFraction * p;
  const double ratio = std::min(kRatioCeiling, kStepFraction * high / kRatioPressure + kRatioBase);

  if (request[19] <= 1) {
    values[2] = high;
    values[3] = low;
    return;
  }

  int n = PutGivenLevels(values, static_cast<int>(std::min<int64_t>(room, MAX_GIVEN_LEVELS)));
  if (n == 0) {
    // The wider the span between inlet and outlet, the more levels, up to five;
    // each test stands on its own. The host's array bounds them as well.
    const double span = low_bound / high;
    n = 2;
    if (span < ratio) n = 3;
    if (span < ratio * ratio) n = 4;
    if (span < ratio * ratio * ratio) n = MAX_SPACED_LEVELS;
    n = static_cast<int>(std::min<int64_t>(n, room));
    SpaceLevels(high, low, n, values + 2);
  }
  request[0] = n;
  request[9] = n;
}
