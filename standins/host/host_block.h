// The host's description of one exchanger block: which repository objects it
// hands the library in which place of its arrays, the side property words, the
// pressure levels it asks for, the case file and the connection key.
//
// A block file carries it next to the block's records, as the object
// "HOST_BLOCK" whose record "HOST_BLOCK" holds one "key=value" text per entry
// (see standins/host/README.md). The host reads it and removes the object, so
// the repository holds only what a host would keep there.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "include/markers.h"

namespace host {

inline constexpr char kBlockObject[] = "HOST_BLOCK";
inline constexpr char kBlockRecord[] = "HOST_BLOCK";
// The element length of the description's texts.
inline constexpr int64_t kBlockTextLength = 256;

// The host's arrays: HOST_IDS(8) to (19) hold the curve ids, 10 at most a side.
inline constexpr std::size_t kMostCurvesASide = 10;
inline constexpr std::size_t kMostCurves = 12;

struct HostBlock {
  std::string result_id;                 // HOST_IDS(1)
  std::string host_id3;                  // HOST_IDS(3); the result id when not given
  std::string hot_in;                    // HOST_IDS(4)
  std::string cold_in;                   // HOST_IDS(5)
  std::string hot_out;                   // HOST_IDS(6)
  std::string cold_out;                  // HOST_IDS(7)
  std::vector<std::string> hot_curves;   // HOST_IDS(8) on
  std::vector<std::string> cold_curves;  // after the hot ones
  std::string unit_id;                   // HOST_IDS(20)
  int64_t hot_property = 0;              // 2: that side's curves are not transferred
  int64_t cold_property = 0;
  int64_t levels_asked = 3;  // HCURVE_REQUEST(20)
  // The levels the host gives an hcurve call, HCURVE_VALUES(3) to (6).
  std::array<double, 4> hot_levels{MISSING_REAL, MISSING_REAL, MISSING_REAL, MISSING_REAL};
  std::array<double, 4> cold_levels{MISSING_REAL, MISSING_REAL, MISSING_REAL, MISSING_REAL};
  int64_t output_mode = 2;  // 2 keeps the run
  std::string case_file;    // the case file's name in the block folder
  std::string connection_key;
};

// Reads the "key=value" entries. On a fault answers nothing and says in error
// which entry is wrong: an unknown key, a value that is not a number, an id
// longer than id_length, a required entry missing, more curves than the
// host's arrays hold.
std::optional<HostBlock> ParseHostBlock(const std::vector<std::string>& entries,
                                        std::size_t id_length, std::string& error);

// Takes the description out of the repository: reads it and deletes its object.
std::optional<HostBlock> TakeHostBlock(std::size_t id_length, std::string& error);

}  // namespace host
