// The case file's path from the host's text, and the backup's path from it.
#include <gtest/gtest.h>

#include <string>

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
                      // The first ".QXN" counts, even in a folder name.
                      BackupCase{R"(C:\A.QXN\B.QXN)", R"(C:\A.BAK)"},
                      BackupCase{R"(BLOCK.QXNOLD)", R"(BLOCK.BAK)"},
                      BackupCase{R"(BLOCK.QXN)", R"(BLOCK.BAK)"},
                      // Without ".QXN" the backup's extension follows the whole path.
                      BackupCase{R"(D:\RUN\block.qxn)", R"(D:\RUN\block.qxn.BAK)"},
                      BackupCase{R"(D:\RUN\BLOCK)", R"(D:\RUN\BLOCK.BAK)"},
                      BackupCase{R"(D:\RUN\BLOCK.BAK)", R"(D:\RUN\BLOCK.BAK.BAK)"},
                      BackupCase{R"(D:\RUN\BLOCK.)", R"(D:\RUN\BLOCK..BAK)"},
                      // No case path, no backup.
                      BackupCase{"", ""}));

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
