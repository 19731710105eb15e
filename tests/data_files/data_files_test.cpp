#include "runenv/data_files_face.h"

#include <gtest/gtest.h>

#include <string>

#include "include/loader.h"
#include "runenv/run_folders_face.h"
#include "tests/common/scratch_folder.h"

namespace {

// The run's folders as after a call for the case D:\CASES\PLANT.QXN, with a
// real private data folder holding one listed and one unlisted ".PDA" file.
class DataFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    RUN_FOLDERS.PROGDIR = "C:\\PROG\\";
    RUN_FOLDERS.CASEDIR = "D:\\CASES\\";
    RUN_FOLDERS.TEMPDIR = "C:\\TEMP\\";
    RUN_FOLDERS.PRIVDIR = private_.path();
    RUN_FOLDERS.CASENAME = "PLANT";
    WriteBytes(private_ / "N_STDMTL.PDA", "private");
    WriteBytes(private_ / "n_stdmtl.PDA", "private");
  }

  static std::string Find(const std::string& base, const std::string& extension, int64_t option = 0,
                          int64_t field = 256) {
    std::string path(static_cast<std::size_t>(field), '#');
    FIND_DATA_FILE(path.data(), field, base.data(), static_cast<int64_t>(base.size()),
                   extension.data(), static_cast<int64_t>(extension.size()), &option);
    return path;
  }
  static std::string Padded(const std::string& text, std::size_t field = 256) {
    return text + std::string(field - text.size(), ' ');
  }

  ScratchFolder private_;
};

TEST_F(DataFiles, TheExtensionChoosesTheFolder) {
  const struct {
    const char* base;
    const char* extension;
    int64_t option;
    const char* path;
  } cases[] = {
      {"B_PRVT", "RPD", 0, "C:\\PROG\\XEQ\\B_PRVT.RPD"},
      {"B_PRVT  ", "RPD  ", 0, "C:\\PROG\\XEQ\\B_PRVT.RPD"},
      {"B_PRVT", "rpd", 0, "D:\\CASES\\B_PRVT.rpd"},  // exact comparison
      {"W1", "TMPX", 0, "C:\\TEMP\\W1.TMPX"},         // three characters decide
      {"REPORT", "ENG", 0, "C:\\PROG\\DAT\\LAN\\REPORT.ENG"},
      {"REPORT", "LAN", 0, "C:\\PROG\\DAT\\LAN\\REPORT.LAN"},
      {"REPORT", "JPN", 0, "C:\\PROG\\DAT\\LAN\\REPORT.JPN"},
      {"REPORT", "DEU", 0, "D:\\CASES\\REPORT.DEU"},
      {"X1", "PDAQ", 1, "C:\\PROG\\DAT\\PDA\\X1.PDA"},
      {"X1", "PDA", 0, "D:\\CASES\\X1.PDA"},
      {"X1", "PDA", 2, "D:\\CASES\\X1.PDA"},
      {"n_stdmtl", "PDA", 1, "C:\\PROG\\DAT\\PDA\\n_stdmtl.PDA"},  // not a listed name
      {"N_HORSUP", "PDA", 1, "C:\\PROG\\DAT\\PDA\\N_HORSUP.PDA"},  // listed, no private file
      {"", "DAT", 0, "D:\\CASES\\.DAT"},
      {"SHORT", "TM", 0, "D:\\CASES\\SHORT.TM"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Find(c.base, c.extension, c.option), Padded(c.path)) << c.base << "." << c.extension;
}

TEST_F(DataFiles, AListedPrivateFileIsTakenFromThePrivateFolderWhenItExists) {
  EXPECT_EQ(Find("N_STDMTL", "PDA", 1), Padded(private_ / "N_STDMTL.PDA"));
  EXPECT_EQ(Find("N_STDMTL", "PDA", 0), Padded(private_ / "N_STDMTL.PDA"));
  DeleteFileA((private_ / "N_STDMTL.PDA").c_str());
  EXPECT_EQ(Find("N_STDMTL", "PDA", 1), Padded("C:\\PROG\\DAT\\PDA\\N_STDMTL.PDA"));
  EXPECT_EQ(Find("N_STDMTL", "PDA", 0), Padded("D:\\CASES\\N_STDMTL.PDA"));
}

TEST_F(DataFiles, AFolderOfThatNameIsNoPrivateFile) {
  DeleteFileA((private_ / "N_STDMTL.PDA").c_str());
  CreateDirectoryA((private_ / "N_STDMTL.PDA").c_str(), nullptr);
  EXPECT_EQ(Find("N_STDMTL", "PDA", 1), Padded("C:\\PROG\\DAT\\PDA\\N_STDMTL.PDA"));
}

TEST_F(DataFiles, ABlankPrivateFolderLooksInTheCurrentFolder) {
  ScratchFolder current;
  WriteBytes(current / "G_PROFIL.PDA", "private");
  char previous[MAX_PATH + 1] = {};
  GetCurrentDirectoryA(sizeof previous, previous);
  SetCurrentDirectoryA(current.path().c_str());
  RUN_FOLDERS.PRIVDIR = "";
  const std::string found = Find("G_PROFIL", "PDA", 1);
  SetCurrentDirectoryA(previous);
  EXPECT_EQ(found, Padded("G_PROFIL.PDA"));
}

TEST_F(DataFiles, APathThatDoesNotFitIsNotCutIntoAnotherPath) {
  RUN_FOLDERS.PROGDIR = "C:\\" + std::string(240, 'P') + "\\";  // 244 characters
  EXPECT_EQ(Find("B_PR", "RPD"), Padded(RUN_FOLDERS.PROGDIR.str() + "XEQ\\B_PR.RPD"));
  EXPECT_EQ(Find("B_PRV", "RPD"), Padded(""));  // 257 characters
  // The caller's field decides too: never written past, never cut.
  EXPECT_EQ(Find("W1", "TMP", 0, 14), "C:\\TEMP\\W1.TMP");
  EXPECT_EQ(Find("W1", "TMP", 0, 13), std::string(13, ' '));
  EXPECT_EQ(Find("W1", "TMP", 0, 300), Padded("C:\\TEMP\\W1.TMP", 300));
}

TEST_F(DataFiles, FolderQueriesAnswerTheRunFolders) {
  EXPECT_EQ(COPY_PROGRAM_FOLDER(), "C:\\PROG\\");
  EXPECT_EQ(GET_CASE_BASE_PATH(), "D:\\CASES\\PLANT");
  RUN_FOLDERS.CASEDIR = "";
  EXPECT_EQ(GET_CASE_BASE_PATH(), "PLANT");
}

TEST_F(DataFiles, TheWorkFolderIsTheLoadersOrElseTheCaseFolder) {
  char answer[256];
  std::fill(std::begin(answer), std::end(answer), 'W');
  std::copy_n("E:\\WORK\\", 8, answer);
  EXPECT_EQ(WorkFolderFromAnswer(answer, 8).view(), Padded("E:\\WORK\\"));
  EXPECT_EQ(WorkFolderFromAnswer(answer, 0), "D:\\CASES\\");
  EXPECT_EQ(WorkFolderFromAnswer(answer, -1), "D:\\CASES\\");
  EXPECT_EQ(WorkFolderFromAnswer(answer, 256).view().substr(8), std::string(248, 'W'));
  EXPECT_EQ(WorkFolderFromAnswer(answer, 9999).view().substr(8), std::string(248, 'W'));

  char reported[256];
  const int64_t length = LoaderGetWorkFolder(reported, sizeof reported);
  if (length <= 0)
    EXPECT_EQ(GET_WORK_FOLDER(), "D:\\CASES\\");
  else
    EXPECT_EQ(GET_WORK_FOLDER(), std::string(reported, std::min<int64_t>(length, 256)));
}

}  // namespace
