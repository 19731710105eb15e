// The reading of one side's heat-release curves into the case.
#pragma once

#include <cstdint>

#include "include/case_server.h"

// The property word that keeps a side's curves out of the case.
inline constexpr int64_t SIDE_NOT_TRANSFERRED = 2;

// Curves 1 to the smaller of count and limit of one side, in order, unless the
// side's property word is SIDE_NOT_TRANSFERRED. curves is a run of ids of
// curve_len characters; limit is at most CURVE_IDS_PER_SIDE.
void READ_SIDE_CURVES(const int64_t* transfer_flag, const int64_t* property, const int64_t* count,
                      int64_t limit, const char* curves, int64_t curve_len, CaseData** case_data,
                      int64_t* error_word);
