// A repository record read into buffers of a fixed size: the record's counts
// are asked first and each is cut to its buffer, so the repository never
// fills more than a buffer holds; the buffers are cleared before each read,
// so what the record lacks reads as zero, never as the previous record's.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string_view>

#include "include/repository.h"

template <int64_t Integers, int64_t Extras2, int64_t Reals, int64_t Extras4, int64_t Texts,
          int64_t TextLength, int64_t Extras6>
struct FixedRecord {
  static constexpr int64_t kCapacity[6] = {Integers, Extras2, Reals, Extras4, Texts, Extras6};

  int64_t ivals[Integers];
  int64_t xvals2[Extras2];
  double rvals[Reals];
  int64_t xvals4[Extras4];
  char svals[Texts * TextLength];
  int64_t xvals6[Extras6];
  // The counts the read was given, each within its buffer.
  int64_t counts[6];

  void Read(const char* id, int64_t id_len, std::string_view record, int64_t* error_word) {
    *this = FixedRecord{};
    const auto record_len = static_cast<int64_t>(record.size());
    RPGETS(id, id_len, record.data(), record_len, &counts[0], &counts[1], &counts[2], &counts[3],
           &counts[4], &counts[5], error_word);
    for (int k = 0; k < 6; ++k) counts[k] = std::clamp<int64_t>(counts[k], 0, kCapacity[k]);
    RPGETD(id, id_len, record.data(), record_len, &counts[0], ivals, &counts[1], xvals2, &counts[2],
           rvals, &counts[3], xvals4, &counts[4], svals, TextLength, &counts[5], xvals6,
           error_word);
  }
};
