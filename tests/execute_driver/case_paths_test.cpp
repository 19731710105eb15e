// The case file's path from the host's text, and the backup's path from it.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "drivers/case_backup.h"

namespace {

struct BackupCase {
  const char* case_path;
  const char* backup_path;
};

class BackupPaths : public ::testing::TestWithParam<BackupCase> {};

TEST_P(BackupPaths, NeverNameTheCaseFile) {
  const std::string backup = CaseBackupPath(GetParam().case_path);
  EXPECT_EQ(backup, GetParam().backup_path);
  if (*GetParam().case_path) EXPECT_NE(backup, GetParam().case_path);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, BackupPaths,
    ::testing::Values(BackupCase{R"(D:\RUN\BLOCK.QXN)", R"(D:\RUN\BLOCK.BAK)"},
                      // Named from the case file's own name, in its own folder,
                      // whatever the folders are called.
                      BackupCase{R"(C:\A.QXN\B.QXN)", R"(C:\A.QXN\B.BAK)"},
                      BackupCase{R"(C:\SET.QXN\A.QXN)", R"(C:\SET.QXN\A.BAK)"},
                      BackupCase{R"(D:/RUN.QXN/BLOCK.QXN)", R"(D:/RUN.QXN/BLOCK.BAK)"},
                      BackupCase{R"(D:\RUN.QXN\BLOCK)", R"(D:\RUN.QXN\BLOCK.BAK)"},
                      BackupCase{R"(BLOCK.QXN)", R"(BLOCK.BAK)"}, BackupCase{R"(.QXN)", R"(.BAK)"},
                      // A name that does not end in ".QXN" keeps all of it.
                      BackupCase{R"(BLOCK.QXNOLD)", R"(BLOCK.QXNOLD.BAK)"},
                      BackupCase{R"(D:\RUN\BLOCK.QXN.OLD)", R"(D:\RUN\BLOCK.QXN.OLD.BAK)"},
                      BackupCase{R"(D:\RUN\block.qxn)", R"(D:\RUN\block.qxn.BAK)"},
                      BackupCase{R"(D:\RUN\BLOCK)", R"(D:\RUN\BLOCK.BAK)"},
                      BackupCase{R"(D:\RUN\BLOCK.BAK)", R"(D:\RUN\BLOCK.BAK.BAK)"},
                      BackupCase{R"(D:\RUN\BLOCK.)", R"(D:\RUN\BLOCK..BAK)"},
                      // No case path, no backup.
                      BackupCase{"", ""}));

// The folder part of a path, up to its last separator.
std::string FolderOf(const std::string& path) {
  const std::size_t end = path.find_last_of("\\/");
  return end == std::string::npos ? std::string() : path.substr(0, end + 1);
}

TEST(BackupPathsOfAFolder, EachCaseFileHasABackupOfItsOwnInThatFolder) {
  const std::vector<std::string> cases = {R"(C:\SET.QXN\A.QXN)",     R"(C:\SET.QXN\B.QXN)",
                                          R"(C:\SET.QXN\A.QXN.OLD)", R"(C:\SET.QXN\A.OLD)",
                                          R"(C:\SET.QXN\SUB\A.QXN)", R"(C:\SET.QXN)"};
  std::set<std::string> backups;
  for (const std::string& c : cases) {
    SCOPED_TRACE(c);
    const std::string backup = CaseBackupPath(c);
    EXPECT_EQ(FolderOf(backup), FolderOf(c));
    EXPECT_TRUE(backups.insert(backup).second) << backup;
  }
}

TEST(CaseFilePath, EndsAtTheNulAndDropsTrailingBlanks) {
  const char text[] = "D:\\RUN\\BLOCK.QXN  \0rest of the buffer";
  EXPECT_EQ(CaseFilePath(text, sizeof text - 1), R"(D:\RUN\BLOCK.QXN)");
  // A text without a NUL ends at its length.
  EXPECT_EQ(CaseFilePath("D:\\X.QXN   ", 11), R"(D:\X.QXN)");
  EXPECT_EQ(CaseFilePath("D:\\X.QXN", 4), R"(D:\X)");
  EXPECT_EQ(CaseFilePath("anything", 0), "");
  EXPECT_EQ(CaseFilePath("anything", -3), "");
  EXPECT_EQ(CaseFilePath("\0D:\\X.QXN", 9), "");
}

}  // namespace
