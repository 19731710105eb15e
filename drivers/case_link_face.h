// The block's description that the execute and output drivers keep for the exchange.
#pragma once

#include <cstdint>

#include "include/fixed_text.h"

inline constexpr int CURVE_IDS_PER_SIDE = 10;
inline constexpr int CURVES_PER_SIDE = 5;
// The curve ids of both sides stand in HOST_IDS(8) to (19); HOST_IDS(20) is
// the unit input object.
inline constexpr int64_t MAX_CURVE_IDS = 12;

// The record holds zero bytes from load until a driver first fills it: an id
// no call has set is no id at all, not a blank one that a blank host id
// would match.
struct CaseLink {
  using Id = FixedText<128>;
  static constexpr Id kUnset{Id::ZeroBytes{}};
  static_assert(CURVE_IDS_PER_SIDE == 10, "one kUnset for each curve entry");

  int64_t NHOT = 0;
  int64_t NCOLD = 0;
  Id HOTCURVE[CURVE_IDS_PER_SIDE] = {kUnset, kUnset, kUnset, kUnset, kUnset,
                                     kUnset, kUnset, kUnset, kUnset, kUnset};
  Id COLDCURVE[CURVE_IDS_PER_SIDE] = {kUnset, kUnset, kUnset, kUnset, kUnset,
                                      kUnset, kUnset, kUnset, kUnset, kUnset};
  Id HOSTID3 = kUnset;
  Id HOTIN = kUnset;
  Id HOTOUT = kUnset;
  Id COLDIN = kUnset;
  Id COLDOUT = kUnset;
  int64_t HOTPROP = 0;
  int64_t COLDPROP = 0;
};
extern CaseLink CASE_LINK;

// Both take the host's ids (ids_count elements of ids_len characters each)
// and option array (option_count words) and answer false, refusing the block,
// when the options name more curves than the host data can hold: NHOT or NCOLD
// below 0 or above CURVE_IDS_PER_SIDE, NHOT + NCOLD above MAX_CURVE_IDS, more
// ids than ids_count holds, or too few options. A refused block leaves no
// curve in CASE_LINK (both counts 0); the driver is not to run it.

// Execute: blanks both curve lists and zeroes the counts, then fills every
// member from HOST_IDS(3) to (7+NHOT+NCOLD) and HOST_OPTIONS(1) to (4).
[[nodiscard]] bool LINK_EXECUTE_BLOCK(const int64_t* ids_count, const char* host_ids,
                                      int64_t ids_len, const int64_t* option_count,
                                      const int64_t* host_options);

// Output: fills the stream ids, the counts (HOST_OPTIONS(2) and (3)) and the
// curve ids up to the counts; the other curve entries, HOSTID3 and the
// property words keep what an earlier call left.
[[nodiscard]] bool LINK_OUTPUT_BLOCK(const int64_t* ids_count, const char* host_ids,
                                     int64_t ids_len, const int64_t* option_count,
                                     const int64_t* host_options);
