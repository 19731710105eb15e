// The arrays and texts the host hands the entry points, built from its block
// description.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "standins/host/host_block.h"

namespace host {

// The host's id element length and the size of its id array (HOST_IDS(20) is
// the unit input object).
inline constexpr int64_t kHostIdLength = 64;
inline constexpr int64_t kHostIdCount = 20;
// The host's option arrays: execute reads words 1 to 4, output 2, 3, 8, 11, 12.
inline constexpr int64_t kHostOptionCount = 12;
// Room the host gives the program's message codes.
inline constexpr int64_t kMessageCapacity = 1000;
// The hcurve call's request words and values: the two flows, then room for
// five levels, the most the library spaces itself (the host gives at most four).
inline constexpr int64_t kRequestWords = 20;
inline constexpr int64_t kRequestValues = 7;

// HOST_IDS: count elements of length characters, blank-padded; element i from 1.
class HostIds {
 public:
  HostIds(int64_t count, int64_t length);
  void set(int64_t index, std::string_view id);
  std::string_view at(int64_t index) const;
  char* data() { return chars_.data(); }
  int64_t* count() { return &count_; }
  int64_t length() const { return length_; }

 private:
  int64_t count_;
  int64_t length_;
  std::string chars_;
};

// The ids of input, execute and output: (1) result, (3), (4) hot inlet,
// (5) cold inlet, (6) hot outlet, (7) cold outlet, (8) on the hot and then the
// cold curves, (20) the unit input object.
HostIds RunIds(const HostBlock& block);
// The ids of an hcurve call for a side (1 hot, 2 cold): (1) the unit input
// object, (3) the side's inlet, (4) its outlet.
HostIds HcurveIds(const HostBlock& block, int64_t side);

// Execute: (1) NHOT, (2) NCOLD, (3) and (4) the property words.
std::vector<int64_t> ExecuteOptions(const HostBlock& block);
// Output: (2) NHOT, (3) NCOLD, (8) the output mode, (11) and (12) the property words.
std::vector<int64_t> OutputOptions(const HostBlock& block, int64_t output_mode);

// A text as the host passes it, with its own length. The case path carries
// its NUL within its length.
struct HostText {
  std::string chars;
  int64_t length() const { return static_cast<int64_t>(chars.size()); }
  char* data() { return chars.data(); }
};
HostText CasePathText(std::string_view path);
// The connection key, blank-padded to 20 characters when shorter.
HostText KeyText(std::string_view key);

}  // namespace host
