// The plate program's message codes, one per line of "arTavikMsgs", in the
// order they were raised, each at most once a run. standins/caseserver/
// README.md ("Rating model") lists when each is written.
//
// A code for one side is its base plus the side: 1 hot, 2 cold (111 is the
// hot side's missing flow, 112 the cold side's).
#pragma once

#include <algorithm>
#include <vector>

enum ModelMessage : int {
  kRunCompleted = 1,

  // The run stopped: no results are written. The library saves and closes
  // the case on each of these, so the case keeps what the run found.
  kNoHeatCanPass = 6,
  kHeatBalanceCannotClose = 17,
  kInletIncomplete = 39,
  kOutOfMemory = 40,
  kNoPlatePack = 53,

  // What made the heat balance fail to close (with 17).
  kDesignWithoutHeatBalance = 104,
  kOutletQualityNotOnCurve = 105,
  kDutyBeyondStreams = 106,
  kDutyNotPositive = 107,

  // What is missing from an inlet stream (with 39), per side.
  kFlowMissing = 110,
  kInletTemperatureMissing = 120,

  // Warnings: the run went on with what the README names.
  kModeNotKnown = 101,
  kHeatBalanceOverSpecified = 102,
  kCheckingWithoutHeatBalance = 103,
  kNoUsableCurve = 130,
  kCurveExtended = 140,
  kPropertyMissing = 150,
  kPressureDropAboveAllowable = 160,
  kInletPressureMissing = 170,
  kOptionOutOfRange = 180,
  kPlateDimensionMissing = 201,
  kChannelsFromOtherSide = 202,
  kPassesNotUsable = 210,
  kRatingNotSettled = 221,
  kDesignLimitReached = 231,
};

inline constexpr int kHotSide = 1;
inline constexpr int kColdSide = 2;

// Raises a code once: a later raise of the same code adds nothing.
inline void Raise(std::vector<int>& messages, int code) {
  if (std::find(messages.begin(), messages.end(), code) == messages.end()) messages.push_back(code);
}
