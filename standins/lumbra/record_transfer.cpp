#include "standins/lumbra/record_transfer.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <string_view>

#include "include/fixed_text.h"

namespace lumbra {

namespace {

// A null count address counts as 0.
int64_t CountAt(const int64_t* n) { return n ? *n : 0; }

Counts CallerCounts(const CallerArrays& a) {
  return {CountAt(a.n1), CountAt(a.n2), CountAt(a.n3), CountAt(a.n4), CountAt(a.n5), CountAt(a.n6)};
}

std::array<const void*, 6> CallerAddresses(const CallerArrays& a) {
  return {a.ivals, a.xvals2, a.rvals, a.xvals4, a.svals, a.xvals6};
}

// Elements that an array of `count` elements spans must be addressable
// as bytes; anything larger cannot be a caller's array.
bool FitsInMemory(int64_t count, int64_t element_size) {
  return element_size == 0 || count <= std::numeric_limits<std::ptrdiff_t>::max() / element_size;
}

template <class T>
void CopyOut(const std::vector<T>& from, int64_t n, void* to) {
  if (n > 0) std::memcpy(to, from.data(), static_cast<std::size_t>(n) * sizeof(T));
}

template <class T>
std::vector<T> CopyIn(const void* from, int64_t n) {
  const T* first = static_cast<const T*>(from);
  return n > 0 ? std::vector<T>(first, first + n) : std::vector<T>();
}

}  // namespace

Error FillCallerArrays(const Record& record, const CallerArrays& to) {
  if (to.svals_len < 0) return kBadArgument;
  const Counts asked = CallerCounts(to);
  const Counts stated = record.counts();
  const Counts held = record.sizes();
  const auto addresses = CallerAddresses(to);
  // A count that RPGETS reports beyond the data held (a test can state one)
  // still gives only the elements that exist.
  Counts n{};
  for (std::size_t i = 0; i < n.size(); ++i) {
    n[i] = std::max<int64_t>(0, std::min({asked[i], stated[i], held[i]}));
    if (n[i] > 0 && addresses[i] == nullptr) return kBadArgument;
  }
  CopyOut(record.ivals, n[0], to.ivals);
  CopyOut(record.xvals2, n[1], to.xvals2);
  CopyOut(record.rvals, n[2], to.rvals);
  CopyOut(record.xvals4, n[3], to.xvals4);
  const auto len = static_cast<std::size_t>(to.svals_len);
  for (int64_t i = 0; i < n[4]; ++i)
    fixed::AssignPadded(to.svals + static_cast<std::size_t>(i) * len, len,
                        record.svals[static_cast<std::size_t>(i)]);
  CopyOut(record.xvals6, n[5], to.xvals6);
  return kOk;
}

Error RecordFromCaller(const CallerArrays& from, Record& record) {
  if (from.svals_len < 0) return kBadArgument;
  const Counts n = CallerCounts(from);
  const auto addresses = CallerAddresses(from);
  const std::array<int64_t, 6> sizes = {8, 8, 8, 8, from.svals_len, 8};
  for (std::size_t i = 0; i < n.size(); ++i) {
    if (n[i] < 0 || !FitsInMemory(n[i], sizes[i])) return kBadArgument;
    if (n[i] > 0 && addresses[i] == nullptr) return kBadArgument;
  }
  Record made;
  made.ivals = CopyIn<int64_t>(from.ivals, n[0]);
  made.xvals2 = CopyIn<uint64_t>(from.xvals2, n[1]);
  made.rvals = CopyIn<double>(from.rvals, n[2]);
  made.xvals4 = CopyIn<uint64_t>(from.xvals4, n[3]);
  const auto len = static_cast<std::size_t>(from.svals_len);
  made.svals.reserve(static_cast<std::size_t>(n[4]));
  for (int64_t i = 0; i < n[4]; ++i)
    made.svals.emplace_back(
        fixed::Trimmed(std::string_view(from.svals + static_cast<std::size_t>(i) * len, len)));
  made.xvals6 = CopyIn<uint64_t>(from.xvals6, n[5]);
  record.replace_data(std::move(made));
  return kOk;
}

}  // namespace lumbra
