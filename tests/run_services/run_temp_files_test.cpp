#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runenv/run_folders_face.h"
#include "runenv/run_services_face.h"
#include "tests/common/loader_folder_fake.h"
#include "tests/common/run_env_scratch.h"

using run_env_test::Exists;
using run_env_test::MakeFile;
using run_env_test::MakeFolder;

namespace {

// A run whose temporary folder (the system temporary path, TMP pointed at it)
// and case folder are both folders of this test.
class RunTempFiles : public ::testing::Test {
 protected:
  run_env_test::ScratchFolder scratch{"zovkrs"};
  std::string temp = scratch.path() + "\\TMP\\";
  std::string cases = scratch.path() + "\\CASE\\";

  void SetUp() override {
    ASSERT_TRUE(MakeFolder(temp));
    ASSERT_TRUE(MakeFolder(cases));
    LOADER_FOLDER_FAKE = LoaderFolderFake{};
    StartRun("AB12");
  }
  void TearDown() override { LOADER_FOLDER_FAKE = LoaderFolderFake{}; }

  void StartRun(const char* run_name) {
    run_env_test::TempPathOverride tmp(scratch.path() + "\\TMP");
    SetRunFolders("C:\\PROG\\", (cases + "BLOCK.QXN").c_str(), "1", "", run_name);
    ASSERT_EQ(std::string(GetTempFolder()), temp);
    ASSERT_EQ(std::string(GetCaseFolder()), cases);
  }

  void Make(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) ASSERT_TRUE(MakeFile(path)) << path;
  }
  void ExpectGone(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) EXPECT_FALSE(Exists(path)) << path;
  }
  void ExpectKept(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) EXPECT_TRUE(Exists(path)) << path;
  }
};

TEST_F(RunTempFiles, DeletesTheRunsFilesOfTheFourGroupsOnly) {
  const std::vector<std::string> run_files = {temp + "AB12X.TMP", temp + "AB12.DQE",
                                              temp + "AB12Y.DQB", temp + "ab12z.tmp",
                                              cases + "AB12.XML"};
  const std::vector<std::string> others = {temp + "AB13.TMP",  temp + "AB12X.DAT",
                                           temp + "AB12.XML",  cases + "AB12.TMP",
                                           cases + "AB13.XML", cases + "BLOCK.QXN"};
  Make(run_files);
  Make(others);
  EXPECT_NE(DeleteRunTempFiles(), -1);  // the case folder's group found a file
  ExpectGone(run_files);
  ExpectKept(others);
  EXPECT_EQ(LOADER_FOLDER_FAKE.release_calls, 1);
}

TEST_F(RunTempFiles, ACaseInTheTemporaryFolderHasAllFourGroupsThere) {
  run_env_test::TempPathOverride tmp(scratch.path() + "\\TMP");
  SetRunFolders("C:\\PROG\\", (temp + "BLOCK.QXN").c_str(), "1", "", "AB12");
  ASSERT_EQ(std::string(GetCaseFolder()), temp);
  const std::vector<std::string> run_files = {temp + "AB12X.TMP", temp + "AB12.DQE",
                                              temp + "AB12Y.DQB"};
  const std::vector<std::string> others = {temp + "AB12X.DAT", temp + "AB12", temp + "AB13.XML",
                                           temp + "BLOCK.QXN"};
  Make(run_files);
  Make(others);
  // The last group, the case folder's XML files, found none of its own.
  EXPECT_EQ(DeleteRunTempFiles(), -1);
  ExpectGone(run_files);
  ExpectKept(others);

  Make({temp + "AB12.TMP", temp + "ab12.xml"});
  EXPECT_NE(DeleteRunTempFiles(), -1);
  ExpectGone({temp + "AB12.TMP", temp + "ab12.xml"});
  ExpectKept(others);
}

TEST_F(RunTempFiles, NothingToDeleteAnswersMinusOne) {
  Make({temp + "AB13.TMP", cases + "BLOCK.QXN"});
  EXPECT_EQ(DeleteRunTempFiles(), -1);
  ExpectKept({temp + "AB13.TMP", cases + "BLOCK.QXN"});
  EXPECT_EQ(LOADER_FOLDER_FAKE.release_calls, 1);
}

TEST_F(RunTempFiles, FilesThatCannotBeRemovedStayAndTheRestGo) {
  ASSERT_TRUE(MakeFile(temp + "AB12.TMP", /*read_only=*/true));
  ASSERT_TRUE(MakeFolder(temp + "AB12DIR.TMP"));
  const std::vector<std::string> run_files = {temp + "AB12W.TMP", temp + "AB12.DQE",
                                              temp + "AB12.DQB", cases + "AB12.XML"};
  Make(run_files);
  DeleteRunTempFiles();
  ExpectKept({temp + "AB12.TMP", temp + "AB12DIR.TMP"});
  ExpectGone(run_files);
}

TEST_F(RunTempFiles, TheLoaderReleasesTheRunsFilesBeforeTheyAreDeleted) {
  // The loader still holds a run file open, without sharing its deletion,
  // until it is asked to let go.
  const std::string held = temp + "AB12U.TMP";
  ASSERT_TRUE(MakeFile(held));
  HANDLE handle = CreateFileA(held.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(handle, INVALID_HANDLE_VALUE);
  ASSERT_NE(std::remove(held.c_str()), 0);  // held: no deletion yet
  LOADER_FOLDER_FAKE.on_release = [&handle] {
    CloseHandle(handle);
    handle = INVALID_HANDLE_VALUE;
  };
  DeleteRunTempFiles();
  if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
  ExpectGone({held});
}

TEST_F(RunTempFiles, RunNameThatIsNoPlainPrefixDeletesNothing) {
  // Without a plain run name the patterns would select other runs' files.
  const std::vector<std::string> files = {temp + "AB12.TMP", temp + "X.DQE", temp + "Y.DQB",
                                          cases + "PLANT.XML"};
  Make(files);
  for (const char* run_name : {"", "*", "A?", "..\\A", "C:A", "A/B"}) {
    SCOPED_TRACE(run_name);
    StartRun(run_name);
    const int before = LOADER_FOLDER_FAKE.release_calls;
    EXPECT_EQ(DeleteRunTempFiles(), -1);
    EXPECT_EQ(LOADER_FOLDER_FAKE.release_calls, before + 1);
    ExpectKept(files);
  }
}

TEST_F(RunTempFiles, PatternWithoutAnyDotLooksForTmpFiles) {
  ASSERT_EQ(temp.find('.'), std::string::npos);
  Make({temp + "RUN1.TMP", temp + "RUN1.DAT", temp + "RUN"});
  EXPECT_NE(DeleteFilesByPattern(temp.c_str(), "RUN"), -1);
  ExpectGone({temp + "RUN1.TMP"});
  ExpectKept({temp + "RUN1.DAT", temp + "RUN"});

  // A '.' in the folder counts: the pattern is searched as it is.
  const std::string dotted = scratch.path() + "\\MY.DIR\\";
  ASSERT_TRUE(MakeFolder(dotted));
  Make({dotted + "RUN", dotted + "RUN1.TMP"});
  EXPECT_NE(DeleteFilesByPattern(dotted.c_str(), "RUN"), -1);
  ExpectGone({dotted + "RUN"});
  ExpectKept({dotted + "RUN1.TMP"});

  EXPECT_EQ(DeleteFilesByPattern((scratch.path() + "\\NO_SUCH\\").c_str(), "RUN"), -1);
}

TEST_F(RunTempFiles, PathsPastTheBufferAreNeitherSearchedNorDeleted) {
  // A folder of 240 characters: with "AB12*.TMP" it is searched, but a found
  // name of 28 characters would make a path of 268.
  const std::string base = scratch.path() + "\\";
  const std::string deep = base + std::string(239 - base.size(), 'D') + "\\";
  ASSERT_EQ(deep.size(), 240u);
  ASSERT_TRUE(MakeFolder(deep));
  const std::string fits = deep + "AB12.TMP";
  const std::string too_long = deep + "AB12" + std::string(20, 'Z') + ".TMP";
  Make({fits, too_long});
  EXPECT_NE(DeleteFilesByPattern(deep.c_str(), "AB12*.TMP"), -1);
  ExpectGone({fits});
  ExpectKept({too_long});

  // Folder and pattern together past 255 characters: no search at all.
  const std::string deeper = deep + std::string(14, 'E') + "\\";
  ASSERT_TRUE(MakeFolder(deeper));
  Make({deeper + "AB12.TMP"});
  EXPECT_EQ(DeleteFilesByPattern(deeper.c_str(), "AB12*.TMP"), -1);
  ExpectKept({deeper + "AB12.TMP"});
  // No room left for the appended "*.TMP".
  EXPECT_EQ(DeleteFilesByPattern(std::string(250, 'F').c_str(), "AB12"), -1);
}

}  // namespace
