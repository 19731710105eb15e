// The pressure levels at which the host produces a side's heat-release curves.
//
// A pure computation over plain values: no repository, no platform calls.
#pragma once

#include <cstdint>

inline constexpr int64_t POINTS_PER_CURVE = 24;
// Most levels the host may give, and most levels the library spaces itself.
inline constexpr int MAX_GIVEN_LEVELS = 4;
inline constexpr int MAX_SPACED_LEVELS = 5;

// Writes the levels from request word 20 (levels asked for) and the side's
// inlet pressure, drop and estimated drop: values(3) on, highest first, and,
// when more than one pair is asked for, their number into request words 1
// and 10. Arrays are the host's, counted from 1 through index 0: request holds
// 20 words, values 2 + room reals; room (at least 2) bounds the levels looked
// at and written, so five spaced levels need a value array of 7.
void CHOOSE_PRESSURE_LEVELS(int64_t side, double inlet_pressure, double drop, double estimated_drop,
                            int64_t room, int64_t* request, double* values);
