#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "runenv/run_folders_face.h"
#include "services/language_setting_face.h"
#include "tests/common/scratch_folder.h"
#include "tests/common/settings_file.h"

namespace {

// The settings file of the Windows folder is the real one of the test prefix.
class LanguageSetting : public ::testing::Test {
 protected:
  void SetUp() override {
    std::strcpy(FOLDER_BUFFERS.program_folder, program_.path().c_str());
    std::strcpy(REPORT_LANGUAGE_CODE, "   ");
    std::strcpy(SELECTED_LANGUAGE_CODE, "   ");
    LANGUAGE_CODE.LANGCODE.clear();
  }
  void TearDown() override { FOLDER_BUFFERS.program_folder[0] = '\0'; }
  void Store(const char* value) {
    ASSERT_TRUE(WritePrivateProfileStringA("Setting", "Language", value, SETTINGS_FILE));
  }
  void ProvideLanguageFile(const char* name) {
    WriteBytes(program_ / (std::string("DAT\\PDA\\") + name), "language");
  }
  static std::string Read() {
    char code[3];
    const int32_t index = ReadLanguageSetting(code);
    return std::to_string(index) + ":" + std::string(code, 3);
  }
  static std::string Stored() {
    char value[80] = {};
    GetPrivateProfileStringA("Setting", "Language", "(none)", value, sizeof value, SETTINGS_FILE);
    return value;
  }
  std::string Codes() const {
    return std::string(REPORT_LANGUAGE_CODE) + "/" + SELECTED_LANGUAGE_CODE + "/" +
           std::string(LANGUAGE_CODE.LANGCODE.view());
  }

  SettingsFileGuard settings_;
  const std::string& path_ = settings_.path();
  ScratchFolder program_;
};

TEST_F(LanguageSetting, WithoutASettingsFileTheLanguageIsEnglish) {
  EXPECT_EQ(Read(), "1:ENG");
  EXPECT_FALSE(Exists(path_));
}

TEST_F(LanguageSetting, TheStoredNameIsKnownByItsFirstLetter) {
  const struct {
    const char* stored;
    const char* read;
  } cases[] = {
      {"german", "3:GER"},  {"Default", "1:ENG"}, {"DEFAULT", "0:DEF"},  // not the exact text
      {"english", "1:ENG"}, {"Eng", "1:ENG"},     {"ESPERANTO", "1:ENG"}, {"chinese", "6:CHI"},
      {"sp", "4:SPA"},      {"italian", "5:ITA"}, {"FRENCH", "2:FRE"},    {"", "1:ENG"},
      {"Xy", "0:Xy "},      {"Norsk", "0:Nor"},
  };
  for (const auto& c : cases) {
    Store(c.stored);
    EXPECT_EQ(Read(), c.read) << c.stored;
  }
}

TEST_F(LanguageSetting, SettingALanguageWritesItAndTakesItsCodeEverywhere) {
  ASSERT_TRUE(WritePrivateProfileStringA("Print Format", "Output", "2 per 1", SETTINGS_FILE));
  ProvideLanguageFile("G_FRENCH.PDA");
  EXPECT_EQ(SetLanguage("Fr"), 1);
  EXPECT_EQ(Stored(), "FRENCH");
  EXPECT_EQ(Codes(), "FRE/FRE/FRE");
  const std::string file = ReadBytes(path_);
  EXPECT_NE(file.find("[Setting]"), std::string::npos) << file;
  EXPECT_NE(file.find("Language=FRENCH"), std::string::npos) << file;
  EXPECT_NE(file.find("Output=2 per 1"), std::string::npos) << file;  // the print unit's section
}

TEST_F(LanguageSetting, ALanguageThatCannotBeSetChangesNothing) {
  Store("GERMAN");
  ProvideLanguageFile("G_GERMAN.PDA");
  ProvideLanguageFile("G_ENGLIS.PDA");
  for (const char* name : {"Fr", "Xhosa", "", " ENGLISH"}) {
    EXPECT_EQ(SetLanguage(name), 0) << name;
    EXPECT_EQ(Stored(), "GERMAN") << name;
    EXPECT_EQ(Codes(), "   /   /   ") << name;
  }
  EXPECT_EQ(SetLanguage(nullptr), 0);
  // A program folder too long for the language file's path.
  std::strcpy(FOLDER_BUFFERS.program_folder, ("C:\\" + std::string(240, 'P') + "\\").c_str());
  EXPECT_EQ(SetLanguage("English"), 0);
  EXPECT_EQ(Codes(), "   /   /   ");
}

TEST_F(LanguageSetting, ASettingsFileThatCannotBeWrittenIsReported) {
  ProvideLanguageFile("G_SPANIS.PDA");
  ASSERT_TRUE(CreateDirectoryA(path_.c_str(), nullptr));  // in the way of the file
  EXPECT_EQ(SetLanguage("spanish"), 0);
  EXPECT_EQ(Codes(), "   /   /   ");
  EXPECT_EQ(Read(), "1:ENG");
}

TEST_F(LanguageSetting, SelectingTheSelectedLanguageDoesNothing) {
  ProvideLanguageFile("G_FRENCH.PDA");
  ProvideLanguageFile("G_GERMAN.PDA");
  Store("GERMAN");
  std::strcpy(SELECTED_LANGUAGE_CODE, "FRE");
  SelectLanguage(2);
  EXPECT_EQ(Stored(), "GERMAN");
  EXPECT_EQ(Codes(), "   /FRE/   ");
  SelectLanguage(7);
  SelectLanguage(0);
  EXPECT_EQ(Stored(), "GERMAN");
  std::strcpy(SELECTED_LANGUAGE_CODE, "GER");
  SelectLanguage(2);
  EXPECT_EQ(Stored(), "FRENCH");
  EXPECT_EQ(Codes(), "FRE/FRE/FRE");
  EXPECT_EQ(ReturnNoLanguageChange(), 0);
}

TEST_F(LanguageSetting, TheComputationalSideGetsTheCodeInItsFields) {
  Store("german");
  char wide[5], narrow[2];
  GET_LANGUAGE_CODE(wide, sizeof wide);
  GET_LANGUAGE_CODE(narrow, sizeof narrow);
  EXPECT_EQ(std::string(wide, sizeof wide), "GER  ");
  EXPECT_EQ(std::string(narrow, sizeof narrow), "GE");
  REFRESH_LANGUAGE_CODE();
  EXPECT_EQ(LANGUAGE_CODE.LANGCODE.view(), "GER");
}

TEST(FileTests, CheckFileExistsTakesFilesAndFolders) {
  ScratchFolder folder;
  WriteBytes(folder / "CASE.QXN", "case");
  EXPECT_EQ(CheckFileExists((folder / "CASE.QXN").c_str()), 1);
  EXPECT_EQ(CheckFileExists(folder.path().c_str()), 1);
  EXPECT_EQ(CheckFileExists((folder / "MISSING.QXN").c_str()), 0);
  EXPECT_EQ(CheckFileExists(nullptr), 0);
}

TEST(FileTests, HasDqiExtensionLooksAfterTheFirstDot) {
  const struct {
    const char* name;
    int32_t answer;
  } cases[] = {{"CASE.dqi", 1}, {"CASE.DQIX", 1}, {"CASE.TXT", 0}, {"A.B.DQI", 0},
               {"CASE", 0},     {"CASE.DQ", 0},   {".Dqi", 1},     {"", 0}};
  for (const auto& c : cases) EXPECT_EQ(HasDqiExtension(c.name), c.answer) << c.name;
  EXPECT_EQ(HasDqiExtension(nullptr), 0);
}

}  // namespace
