#include "runenv/run_folders_face.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>

#include "tests/common/loader_folder_fake.h"
#include "tests/common/run_env_scratch.h"

using run_env_test::MakeFile;
using run_env_test::MakeFolder;
using run_env_test::ScratchFolder;
using run_env_test::TempPathOverride;

namespace {

std::string Padded(const std::string& text, std::size_t length) {
  std::string out = text.substr(0, length);
  out.resize(length, ' ');
  return out;
}

void SetFolders(const char* case_path, const char* run_switch = "/AS",
                const char* run_name = "R1") {
  SetRunFolders("C:\\PROG\\", case_path, "1", run_switch, run_name);
}

}  // namespace

// Runs first: nothing has set the folders yet in this process.
TEST(RunFolders, BeforeTheFirstCallEverythingIsEmpty) {
  EXPECT_STREQ(GetProgramFolder(), "");
  EXPECT_STREQ(GetTempFolder(), "");
  EXPECT_STREQ(GetCaseFolder(), "");
  EXPECT_STREQ(GetCaseBaseName(), "");
  EXPECT_STREQ(GetRunName(), "");
  const auto* bytes = reinterpret_cast<const unsigned char*>(&RUN_FOLDERS);
  for (std::size_t i = 0; i < sizeof RUN_FOLDERS; ++i) ASSERT_EQ(bytes[i], 0) << "byte " << i;
}

TEST(RunFolders, CasePathGivesFolderAndBaseName) {
  struct Case {
    const char* path;
    const char* folder;
    const char* base;
  };
  const Case cases[] = {
      {"D:\\CASES\\PLANT.A.QXN", "D:\\CASES\\", "PLANT.A"},
      {"D:\\CASES.OLD\\PLANT", "D:\\CASES.OLD\\", "PLANT"},
      {"PLANT.QXN", "", "PLANT"},
      {"C:PLANT.QXN", "C:", "PLANT"},
      {"D:/CASES/PLANT.QXN", "D:", "/CASES/PLANT"},
      {"D:\\CASES\\", "D:\\CASES\\", ""},
      {"D:\\CASES\\.QXN", "D:\\CASES\\", ""},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    SetFolders(c.path);
    EXPECT_STREQ(GetCaseFolder(), c.folder);
    EXPECT_STREQ(GetCaseBaseName(), c.base);
    EXPECT_EQ(FieldText(RUN_FOLDERS.CASEDIR), Padded(c.folder, 256));
    EXPECT_EQ(FieldText(RUN_FOLDERS.CASENAME), Padded(c.base, 256));
  }
}

TEST(RunFolders, NamesDigitAndSwitchArePaddedOrCut) {
  SetRunFolders("C:\\PROG\\", "D:\\CASES\\PLANT.QXN", "1", "/AS", "R1234567");
  EXPECT_STREQ(GetRunName(), "R1234567");
  EXPECT_EQ(FieldText(RUN_FOLDERS.RUNNAME), "R12345");
  EXPECT_EQ(FieldText(RUN_FOLDERS.RUNDIGIT), "1 ");
  EXPECT_EQ(FieldText(RUN_FOLDERS.RUNSWITCH), Padded("/AS", 256));
  EXPECT_STREQ(GetProgramFolder(), "C:\\PROG\\");
  EXPECT_EQ(FieldText(RUN_FOLDERS.PROGDIR), Padded("C:\\PROG\\", 256));

  // The execute call's empty switch leaves the member all blanks.
  SetRunFolders("C:\\PROG\\", "D:\\CASES\\PLANT.QXN", "1", "", "R1");
  EXPECT_EQ(FieldText(RUN_FOLDERS.RUNSWITCH), std::string(256, ' '));
  EXPECT_EQ(FieldText(RUN_FOLDERS.RUNNAME), "R1    ");
}

TEST(RunFolders, OverlongTextsAreCutToTheirBuffers) {
  // A run name buffer with no terminator in its 16 bytes, as a faulty loader
  // could leave it: only its first 15 characters are taken.
  struct {
    char name[16];
    char after[8];
  } run_name;
  std::memset(run_name.name, 'N', sizeof run_name.name);
  std::memcpy(run_name.after, "TAILXYZ", 8);
  const std::string program(300, 'P');
  const std::string case_path = "D:\\" + std::string(297, 'C');  // 300 characters
  SetRunFolders(program.c_str(), case_path.c_str(), "1", "/AS", run_name.name);

  EXPECT_EQ(std::string(GetRunName()), std::string(15, 'N'));
  EXPECT_EQ(std::string(GetProgramFolder()), std::string(255, 'P'));
  EXPECT_EQ(FieldText(RUN_FOLDERS.PROGDIR), std::string(255, 'P') + " ");
  EXPECT_STREQ(GetCaseFolder(), "D:\\");
  EXPECT_EQ(std::string(GetCaseBaseName()), std::string(252, 'C'));
}

TEST(RunFolders, PrivateFolderIsBlankPaddedAfterTheLoadersLength) {
  LoaderFolderFake& loader = LOADER_FOLDER_FAKE;
  struct Case {
    std::string written;
    std::optional<int64_t> answer;
    std::string expected;
  };
  const std::string full(256, 'Q');
  const Case cases[] = {
      {"C:\\PRIVATE\\", std::nullopt, Padded("C:\\PRIVATE\\", 256)},
      {"C:\\PRIVATE\\", 0, std::string(256, ' ')},
      {full, 256, full},
      // Answers outside 0 to 256 are held to that range.
      {full, 400, full},
      {"C:\\PRIVATE\\", -7, std::string(256, ' ')},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answer.value_or(-1));
    loader.private_folder = c.written;
    loader.private_answer = c.answer;
    SetFolders("D:\\CASES\\PLANT.QXN");
    EXPECT_EQ(FieldText(RUN_FOLDERS.PRIVDIR), c.expected);
  }
  loader = LoaderFolderFake{};
}

TEST(RunFolders, StoreTakesNegativeLengthsAsEmpty) {
  STORE_RUN_FOLDERS("C:\\P\\", -1, "C:\\T\\", 5, "C:\\C\\", 5, "1", 1, "B", 1, "/AS", 3, "R1", 2);
  EXPECT_EQ(FieldText(RUN_FOLDERS.PROGDIR), std::string(256, ' '));
  EXPECT_EQ(FieldText(RUN_FOLDERS.TEMPDIR), Padded("C:\\T\\", 256));
}

class TempFolder : public ::testing::Test {
 protected:
  ScratchFolder scratch{"zovkrf"};

  // The temporary folder chosen with the system temporary path at path.
  std::string ChosenFor(const std::string& path) {
    TempPathOverride temp(path);
    SetFolders("D:\\CASES\\PLANT.QXN");
    EXPECT_EQ(FieldText(RUN_FOLDERS.TEMPDIR), Padded(GetTempFolder(), 256));
    return GetTempFolder();
  }
};

TEST_F(TempFolder, KvemTempIsUsedWhenItIsAFolder) {
  const std::string system = scratch.path() + "\\";
  EXPECT_EQ(ChosenFor(scratch.path()), system);

  // A plain file of that name is no folder to write into.
  ASSERT_TRUE(MakeFile(system + "KVEMTEMP"));
  EXPECT_EQ(ChosenFor(scratch.path()), system);
  ASSERT_TRUE(run_env_test::Exists(system + "KVEMTEMP"));
  DeleteFileA((system + "KVEMTEMP").c_str());

  ASSERT_TRUE(MakeFolder(system + "KVEMTEMP"));
  EXPECT_EQ(ChosenFor(scratch.path()), system + "KVEMTEMP\\");
}

TEST_F(TempFolder, PathTooLongForKvemTempFallsBackToTheCaseFolder) {
  // A system temporary path of exactly 246 characters still takes "KVEMTEMP\".
  const std::string base = scratch.path() + "\\";
  const std::string longest = base + std::string(245 - base.size(), 'L');  // "\" makes 246
  ASSERT_TRUE(MakeFolder(longest));
  ASSERT_TRUE(MakeFolder(longest + "\\KVEMTEMP"));
  const std::string chosen = ChosenFor(longest);
  EXPECT_EQ(chosen, longest + "\\KVEMTEMP\\");
  EXPECT_EQ(chosen.size(), 255u);

  // One more character, a path the system cannot give in 255 characters, and
  // one beyond every path limit: the case folder.
  for (std::size_t length : {247u, 256u, 300u}) {
    SCOPED_TRACE(length);
    EXPECT_EQ(ChosenFor(base + std::string(length - 1 - base.size(), 'M')), "D:\\CASES\\");
  }
}

TEST_F(TempFolder, NoUsableSystemPathAndNoCaseFolderLeavesItEmpty) {
  TempPathOverride temp(scratch.path() + "\\" + std::string(300, 'M'));
  SetFolders("PLANT.QXN");
  EXPECT_STREQ(GetTempFolder(), "");
  EXPECT_EQ(FieldText(RUN_FOLDERS.TEMPDIR), std::string(256, ' '));
}
