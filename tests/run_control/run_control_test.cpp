#include "runenv/run_control.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "runenv/run_folders_face.h"
#include "services/language_setting_face.h"
#include "tests/common/scratch_folder.h"
#include "tests/common/settings_file.h"

namespace {

// A fresh process's records, the run digit "1" that the entry points store
// and a real program folder for the data-file services.
class RunControl : public ::testing::Test {
 protected:
  void SetUp() override {
    UNIT_POOL = UnitPool{};
    RUN_MODE = RunMode{};
    RUN_FOLDERS.RUNDIGIT = "1";
    RUN_FOLDERS.RUNSWITCH = "";
    RUN_FOLDERS.PROGDIR = program_.path();
    RUN_FOLDERS.CASEDIR = cases_.path();
    RUN_FOLDERS.CASENAME = "PLANT";
    RUN_FOLDERS.PRIVDIR = "";
  }
  void TearDown() override {
    for (int64_t k = FIRST_POOL_UNIT; k <= LAST_POOL_UNIT; ++k) CloseUnit(k, false);
  }

  static int64_t Serve(int64_t code, int64_t* number = nullptr, std::string* text1 = nullptr,
                       std::string* text2 = nullptr, std::string* text3 = nullptr) {
    std::string none;
    int64_t answer = -1, unused = 0;
    const auto field = [&](std::string* t) { return t ? t : &none; };
    RUN_SERVICE(&code, &answer, field(text1)->data(), static_cast<int64_t>(field(text1)->size()),
                field(text2)->data(), static_cast<int64_t>(field(text2)->size()),
                field(text3)->data(), static_cast<int64_t>(field(text3)->size()),
                number ? number : &unused);
    return answer;
  }
  static int64_t SetUpWith(const char* run_switch) {
    RUN_FOLDERS.RUNSWITCH = run_switch;
    int64_t number = -1;
    EXPECT_EQ(Serve(1, &number), 0);
    return number;
  }
  static int64_t FileService(int64_t code, std::string base, std::string extension,
                             int64_t option = 0) {
    return Serve(code, &option, &base, &extension);
  }

  ScratchFolder program_;
  ScratchFolder cases_;
};

TEST_F(RunControl, SetUpFillsThePoolAndDecodesTheRunSwitch) {
  RUN_FOLDERS.RUNSWITCH = "/AS";
  int64_t number = -1;
  EXPECT_EQ(Serve(0, &number), 0);  // code 0 is the set-up too
  EXPECT_EQ(number, 1);
  EXPECT_EQ(UNIT_POOL.UNITS_READY, 1);
  for (int64_t k = FIRST_POOL_UNIT; k <= LAST_POOL_UNIT; ++k)
    EXPECT_EQ(UNIT_POOL.unit(k), k == 55 ? 0 : k) << k;
  EXPECT_EQ(RUN_MODE.RUN_TYPE, 2);
  EXPECT_EQ(RUN_MODE.RUN_SUBTYPE, 3);
  EXPECT_EQ(SetUpWith(""), 1);
  EXPECT_EQ(UNIT_POOL.unit(55), 55);  // a blank switch leaves the slot as step one set it
}

TEST_F(RunControl, RunSwitchWordsAreRewrittenAndDecodedByTheFirstMatch) {
  const struct {
    const char* given;
    const char* rewritten;
    int64_t type, subtype, ao, ad, s_suffix, unit55;
  } cases[] = {
      {"/brs", "/BRS", 1, 2, 0, 0, 1, 0},
      {"batchs", "BATCHs", 1, 0, 0, 0, 0, 0},  // character 6 stays lower case
      {"BATCHS", "BATCHS", 1, 0, 0, 0, 1, 0},
      {"BATCH", "BATCH", 1, 0, 0, 0, 0, 0},
      {"/bd", "/BD", 1, 1, 0, 0, 0, 0},
      {"/bss", "/BSS", 1, 3, 0, 0, 1, 0},
      {"/ass", "/ASS", 2, 3, 0, 0, 0, 0},  // no suffix for the advisory switches
      {"/ao", "/AO", 2, 0, 1, 0, 0, 0},
      {"/AD", "/AD", 0, 0, 0, 1, 0, 55},
      {"/ad", "/ad", 0, 0, 0, 0, 0, 55},  // not among the rewritten words
      {"paldrixs", "PALDRIXs", 3, 0, 0, 0, 0, 0},
      {"PALDRIXS", "PALDRIXS", 3, 0, 0, 0, 1, 0},
      {"Batch", "Batch", 0, 0, 0, 0, 0, 55},
      {"/Br", "/Br", 0, 0, 0, 0, 0, 55},
      {"", "", 0, 0, 0, 0, 0, 55},
  };
  for (const auto& c : cases) {
    RUN_MODE = RunMode{};
    SetUpWith(c.given);
    EXPECT_EQ(RUN_FOLDERS.RUNSWITCH.view(), FixedText<256>(c.rewritten).view()) << c.given;
    EXPECT_EQ(RUN_MODE.RUN_TYPE, c.type) << c.given;
    EXPECT_EQ(RUN_MODE.RUN_SUBTYPE, c.subtype) << c.given;
    EXPECT_EQ(RUN_MODE.AO_FLAG1, c.ao) << c.given;
    EXPECT_EQ(RUN_MODE.AO_FLAG2, c.ao) << c.given;
    EXPECT_EQ(RUN_MODE.AD_FLAG, c.ad) << c.given;
    EXPECT_EQ(RUN_MODE.S_SUFFIX_FLAG, c.s_suffix) << c.given;
    EXPECT_EQ(UNIT_POOL.unit(55), c.unit55) << c.given;
  }
}

TEST_F(RunControl, RunModeWordsAreNeverCleared) {
  SetUpWith("/BDS");
  SetUpWith("/AO");
  EXPECT_EQ(RUN_MODE.RUN_TYPE, 2);
  EXPECT_EQ(RUN_MODE.RUN_SUBTYPE, 1);
  EXPECT_EQ(RUN_MODE.AO_FLAG1, 1);
  EXPECT_EQ(RUN_MODE.AO_FLAG2, 1);
  EXPECT_EQ(RUN_MODE.S_SUFFIX_FLAG, 1);
}

TEST_F(RunControl, SetUpAnswersTheRunDigit) {
  const struct {
    const char* digit;
    int64_t number;
  } cases[] = {{"1", 1}, {"7", 7}, {" ", 0}, {"", 0}, {"X", 0}};
  for (const auto& c : cases) {
    RUN_FOLDERS.RUNDIGIT = c.digit;
    EXPECT_EQ(SetUpWith(""), c.number) << c.digit;
  }
}

TEST_F(RunControl, SetUpClosesThePoolsUnits) {
  const std::string file = cases_ / "UNIT60.DAT";
  ASSERT_TRUE(OpenUnit(60, file));
  ASSERT_TRUE(OpenUnit(101, file));  // outside the pool
  SetUpWith("");
  EXPECT_EQ(UnitFile(60), nullptr);
  EXPECT_NE(UnitFile(101), nullptr);
  EXPECT_TRUE(CloseUnit(101, false));
  EXPECT_TRUE(Exists(file));  // closed, not deleted
}

TEST_F(RunControl, SetUpTakesTheLanguageCode) {
  SettingsFileGuard settings;
  ASSERT_TRUE(WritePrivateProfileStringA("Setting", "Language", "german", SETTINGS_FILE));
  LANGUAGE_CODE.LANGCODE.clear();
  SetUpWith("");
  EXPECT_EQ(LANGUAGE_CODE.LANGCODE.view(), "GER");
}

TEST_F(RunControl, OtherCodesDoNothing) {
  for (const int64_t code : {4LL, 6LL, 12LL, 14LL, 99LL, 101LL, -1LL}) {
    std::string text1 = "TEXT1", text2 = "TEXT2", text3 = "TEXT3";
    int64_t number = 42;
    EXPECT_EQ(Serve(code, &number, &text1, &text2, &text3), 0) << code;
    EXPECT_EQ(number, 42) << code;
    EXPECT_EQ(text1 + text2 + text3, "TEXT1TEXT2TEXT3") << code;
  }
  EXPECT_EQ(UNIT_POOL.UNITS_READY, 0);
  EXPECT_EQ(UNIT_POOL.unit(51), 0);
  EXPECT_EQ(RUN_MODE.RUN_TYPE, 0);
}

TEST_F(RunControl, DateAndTimeFillTheirFields) {
  std::string date(10, '#'), time(5, '#');
  EXPECT_EQ(Serve(2, nullptr, &date, &time), 0);
  EXPECT_EQ(date.substr(8), "  ");
  EXPECT_EQ(date[2], '/');
  EXPECT_EQ(date[5], '/');
  EXPECT_EQ(time[2], ':');
}

TEST_F(RunControl, CaseBaseNameFillsTextOneAndBlanksTheOthers) {
  std::string short_name(4, '#'), long_name(8, '#'), text2 = "TEXT2", text3 = "TX3";
  EXPECT_EQ(Serve(13, nullptr, &short_name, &text2, &text3), 0);
  EXPECT_EQ(short_name, "PLAN");
  EXPECT_EQ(text2, "     ");
  EXPECT_EQ(text3, "   ");
  Serve(13, nullptr, &long_name);
  EXPECT_EQ(long_name, "PLANT   ");
}

TEST_F(RunControl, DataFileTestAnswersWhetherTheFileExists) {
  WriteBytes(program_ / "XEQ\\B_PRVT.RPD", "definitions");
  WriteBytes(program_ / "DAT\\PDA\\X1.PDA", "data");
  EXPECT_EQ(FileService(3, "B_PRVT", "RPD"), 0);
  EXPECT_EQ(FileService(3, "B_DOVI", "RPD"), DATA_FILE_MISSING);
  EXPECT_EQ(FileService(3, "X1", "PDA", 1), 0);  // the location option reaches the finder
  EXPECT_EQ(FileService(3, "X1", "PDA", 0), DATA_FILE_MISSING);
  EXPECT_TRUE(Exists(program_ / "XEQ\\B_PRVT.RPD"));
}

TEST_F(RunControl, DataFileDeletionGoesThroughTheDeletionUnit) {
  SetUpWith("");
  WriteBytes(cases_ / "OLD.DAT", "old");
  EXPECT_EQ(FileService(5, "OLD", "DAT"), 0);
  EXPECT_FALSE(Exists(cases_ / "OLD.DAT"));
  EXPECT_EQ(UnitFile(99), nullptr);
  EXPECT_EQ(FileService(5, "OLD", "DAT"), DATA_FILE_MISSING);
}

TEST_F(RunControl, DataFileDeletionBeforeSetUpDeletesByPath) {
  WriteBytes(cases_ / "OLD.DAT", "old");
  EXPECT_EQ(FileService(5, "OLD", "DAT"), 0);
  EXPECT_FALSE(Exists(cases_ / "OLD.DAT"));
  EXPECT_EQ(FileService(5, "OLD", "DAT"), DATA_FILE_MISSING);
}

TEST_F(RunControl, AFileThatCannotBeDeletedIsReported) {
  const std::string file = cases_ / "KEEP.DAT";
  WriteBytes(file, "keep");
  SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(FileService(5, "KEEP", "DAT"), DATA_FILE_NOT_DELETED);  // by path
  SetUpWith("");
  EXPECT_EQ(FileService(5, "KEEP", "DAT"), DATA_FILE_NOT_DELETED);  // through the unit
  EXPECT_TRUE(Exists(file));
  EXPECT_EQ(ReadBytes(file), "keep");
}

TEST(NumberedUnits, OpenAnExistingFileOrCreateOne) {
  ScratchFolder folder;
  const std::string existing = folder / "EXISTING.DAT", created = folder / "NEW.DAT";
  WriteBytes(existing, "kept");
  ASSERT_TRUE(OpenUnit(70, existing));
  EXPECT_NE(UnitFile(70), nullptr);
  ASSERT_TRUE(OpenUnit(70, created));  // reopening closes the earlier file
  EXPECT_TRUE(CloseUnit(70, false));
  EXPECT_EQ(ReadBytes(existing), "kept");
  EXPECT_TRUE(Exists(created));
  EXPECT_TRUE(CloseUnit(70, true));  // no longer open: nothing to do
  EXPECT_TRUE(Exists(created));
  EXPECT_FALSE(OpenUnit(71, folder / "NO_FOLDER\\X.DAT"));
  EXPECT_EQ(UnitFile(71), nullptr);
}

}  // namespace
