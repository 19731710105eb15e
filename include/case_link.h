// The block's description that the execute and output drivers keep for the exchange.
#pragma once

#include <cstdint>

#include "fixed_text.h"

inline constexpr int CURVE_IDS_PER_SIDE = 10;
inline constexpr int CURVES_PER_SIDE = 5;

struct CaseLink {
  int64_t NHOT;
  int64_t NCOLD;
  FixedText<128> HOTCURVE[CURVE_IDS_PER_SIDE];
  FixedText<128> COLDCURVE[CURVE_IDS_PER_SIDE];
  FixedText<128> HOSTID3;
  FixedText<128> HOTIN;
  FixedText<128> HOTOUT;
  FixedText<128> COLDIN;
  FixedText<128> COLDOUT;
  int64_t HOTPROP;
  int64_t COLDPROP;
};
extern CaseLink CASE_LINK;
