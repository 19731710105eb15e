// The computational side's run control: RUN_SERVICE and its records, the pool
// of input/output unit numbers (UNIT_POOL) and the run-mode words decoded
// from the run switch (RUN_MODE); and the numbered units themselves, each a
// file opened under its number.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

inline constexpr int64_t FIRST_POOL_UNIT = 51;
inline constexpr int64_t LAST_POOL_UNIT = 100;

struct UnitPool {
  int64_t UNIT_NUMBER[LAST_POOL_UNIT - FIRST_POOL_UNIT + 1];  // slots 51 to 100
  int64_t UNITS_READY;                                        // 1 once set up

  // The unit number of slot k (51 to 100).
  int64_t& unit(int64_t k) { return UNIT_NUMBER[k - FIRST_POOL_UNIT]; }
};
extern UnitPool UNIT_POOL;

// Run-mode words, numbered from 1; words 6 to 18 are not written here.
struct RunMode {
  int64_t RUN_TYPE;     // 1 batch, 2 the "/AS" and "/AO" runs, 3 "PALDRIX"
  int64_t RUN_SUBTYPE;  // 1 "/BD", 2 "/BR", 3 "/BS" and "/AS"
  int64_t AO_FLAG1;
  int64_t AO_FLAG2;
  int64_t AD_FLAG;
  int64_t OTHER_WORDS[13];
  int64_t S_SUFFIX_FLAG;
};
extern RunMode RUN_MODE;

// Services by code (0 counts as 1): 1 and 100 set up the units, the run mode
// and the language code and answer the run digit in number; 2 the date and the
// time into text 1 and text 2; 3 whether the data file of text 1 (base name)
// and text 2 (extension) exists, number being the location option (answer 1
// when it does not); 5 as 3 and deletes it (answer 2 when it exists but could
// not be deleted); 13 the case base name into text 1, blanks into texts 2 and
// 3. answer is 0 unless said otherwise; other codes do nothing.
void RUN_SERVICE(const int64_t* code, int64_t* answer, char* text1, int64_t text1_len, char* text2,
                 int64_t text2_len, char* text3, int64_t text3_len, int64_t* number);

inline constexpr int64_t DATA_FILE_MISSING = 1;
inline constexpr int64_t DATA_FILE_NOT_DELETED = 2;

// The numbered units. A unit opened with the status "UNKNOWN" takes an
// existing file or creates it; opening a unit that is open closes its file
// first. Closing a unit that is not open does nothing.
bool OpenUnit(int64_t unit, const std::string& path);
// Closes the unit's file; with remove_file (the status "DELETE") the file is
// removed too. False when the file was to be removed and still exists.
bool CloseUnit(int64_t unit, bool remove_file);
// The unit's open file, or null.
FILE* UnitFile(int64_t unit);
