// Moves a record between the store and a caller's six counts and arrays, in
// the argument order of RPGETD and RPPUTD.
#pragma once

#include <cstdint>

#include "standins/lumbra/repository_store.h"

namespace lumbra {

struct CallerArrays {
  int64_t* n1;
  int64_t* ivals;
  int64_t* n2;
  void* xvals2;
  int64_t* n3;
  double* rvals;
  int64_t* n4;
  void* xvals4;
  int64_t* n5;
  char* svals;
  int64_t svals_len;  // the caller's element length of SVALS
  int64_t* n6;
  void* xvals6;
};

// Fills each array with at most the caller's count of elements, and with no
// more than the record holds; what lies past that is left as it was, and the
// counts are not changed. Texts take the caller's element length, padded or cut.
Error FillCallerArrays(const Record& record, const CallerArrays& to);

// The record that the caller's counts and arrays describe; on an error the
// record is left as it was.
Error RecordFromCaller(const CallerArrays& from, Record& record);

}  // namespace lumbra
