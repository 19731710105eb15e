// The run-control service of the computational side.
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>

#include "include/fixed_text.h"
#include "runenv/data_files_face.h"
#include "runenv/run_control.h"
#include "runenv/run_folders_face.h"
#include "services/language_setting_face.h"
#include "services/system_utilities_face.h"

UnitPool UNIT_POOL{};
RunMode RUN_MODE{};

namespace {

constexpr int64_t kDeletionUnit = 99;
constexpr int64_t kSwitchUnit = 55;  // set to 0 by every switch word but "/AD"

bool StartsWith(std::string_view text, std::string_view start) {
  return text.substr(0, start.size()) == start;
}

// Only these exact lower-case forms are taken as their upper-case switch
// words; "Batch" or "/Br" stay as they are and match nothing.
void RewriteSwitchWords(char* s) {
  const auto rewrite = [&](std::string_view lower, std::string_view upper) {
    if (std::string_view(s, lower.size()) == lower) std::memcpy(s, upper.data(), upper.size());
  };
  rewrite("batch", "BATCH");
  for (const auto& [lower, upper] :
       {std::pair{"/br", "/BR"}, std::pair{"/bd", "/BD"}, std::pair{"/bs", "/BS"},
        std::pair{"/as", "/AS"}, std::pair{"/ao", "/AO"}})
    rewrite(lower, upper);
  if (s[3] == 's') s[3] = 'S';
  rewrite("paldrix", "PALDRIX");
}

// The first row whose switch word begins the run switch decides; words that
// the row does not name keep what an earlier set-up left in them.
void DecodeRunSwitch(std::string_view run_switch) {
  struct Row {
    const char* word;
    int s_at;  // 1-based position of an "S" suffix, 0 for none
    bool clears_switch_unit;
    int64_t run_type;  // 0: unchanged
    int64_t run_subtype;
  };
  static constexpr Row kRows[] = {
      {"BATCH", 6, true, 1, 0}, {"/BR", 4, true, 1, 2},     {"/BD", 4, true, 1, 1},
      {"/BS", 4, true, 1, 3},   {"/AS", 0, true, 2, 3},     {"/AO", 0, true, 2, 0},
      {"/AD", 0, false, 0, 0},  {"PALDRIX", 8, true, 3, 0},
  };
  for (const Row& row : kRows) {
    if (!StartsWith(run_switch, row.word)) continue;
    if (row.s_at && run_switch[row.s_at - 1] == 'S') RUN_MODE.S_SUFFIX_FLAG = 1;
    if (row.clears_switch_unit) UNIT_POOL.unit(kSwitchUnit) = 0;
    if (row.run_type) RUN_MODE.RUN_TYPE = row.run_type;
    if (row.run_subtype) RUN_MODE.RUN_SUBTYPE = row.run_subtype;
    if (std::string_view(row.word) == "/AO") RUN_MODE.AO_FLAG1 = RUN_MODE.AO_FLAG2 = 1;
    if (std::string_view(row.word) == "/AD") RUN_MODE.AD_FLAG = 1;
    return;
  }
}

int64_t SetUpRun() {
  for (int64_t k = FIRST_POOL_UNIT; k <= LAST_POOL_UNIT; ++k) UNIT_POOL.unit(k) = k;
  for (int64_t k = FIRST_POOL_UNIT; k <= LAST_POOL_UNIT; ++k) CloseUnit(k, false);
  RewriteSwitchWords(RUN_FOLDERS.RUNSWITCH.data());
  DecodeRunSwitch(RUN_FOLDERS.RUNSWITCH.view());
  char code[3];
  GET_LANGUAGE_CODE(code, sizeof code);
  LANGUAGE_CODE.LANGCODE.assign(std::string_view(code, sizeof code));
  UNIT_POOL.UNITS_READY = 1;
  // The run digit is a digit or a blank; anything else reads as 0 too.
  const char digit = RUN_FOLDERS.RUNDIGIT.data()[0];
  return digit >= '0' && digit <= '9' ? digit - '0' : 0;
}

// The data file's path as the finder gives it, without trailing blanks.
std::string DataFilePath(const char* base, int64_t base_len, const char* extension,
                         int64_t extension_len, const int64_t* option) {
  char path[DATA_FILE_PATH_LENGTH];
  FIND_DATA_FILE(path, sizeof path, base, base_len, extension, extension_len, option);
  return std::string(fixed::Trimmed(std::string_view(path, sizeof path)));
}

// Through the deletion unit once the pool is set up; before that no unit
// number is given, and the file is deleted by its path.
bool DeleteDataFile(const std::string& path) {
  const int64_t unit = UNIT_POOL.unit(kDeletionUnit);
  if (unit == 0) return std::remove(path.c_str()) == 0;
  return OpenUnit(unit, path) && CloseUnit(unit, true);
}

int64_t TestDataFile(bool delete_it, const char* base, int64_t base_len, const char* extension,
                     int64_t extension_len, const int64_t* option) {
  const std::string path = DataFilePath(base, base_len, extension, extension_len, option);
  if (path.empty() || !DataFileExists(path)) return DATA_FILE_MISSING;
  if (delete_it && !DeleteDataFile(path)) return DATA_FILE_NOT_DELETED;
  return 0;
}

void AssignField(char* field, int64_t len, std::string_view text) {
  if (field && len > 0) fixed::AssignPadded(field, static_cast<std::size_t>(len), text);
}

}  // namespace

void RUN_SERVICE(const int64_t* code, int64_t* answer, char* text1, int64_t text1_len, char* text2,
                 int64_t text2_len, char* text3, int64_t text3_len, int64_t* number) {
  if (answer) *answer = 0;
  if (!code) return;
  switch (*code) {
    case 0:
    case 1:
    case 100: {
      const int64_t digit = SetUpRun();
      if (number) *number = digit;
      break;
    }
    case 2: {
      int32_t elapsed = 0;
      GET_DATE_TIME_STAMP(text1, text1 ? text1_len : 0, text2, text2 ? text2_len : 0, &elapsed);
      break;
    }
    case 3:
    case 5: {
      const int64_t found = TestDataFile(*code == 5, text1, text1_len, text2, text2_len, number);
      if (answer) *answer = found;
      break;
    }
    case 13:
      AssignField(text1, text1_len, RUN_FOLDERS.CASENAME.trimmed());
      AssignField(text2, text2_len, "");
      AssignField(text3, text3_len, "");
      break;
    default:
      break;
  }
}
