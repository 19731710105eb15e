// Files written beside their targets: the side file's name, in the target's
// folder, whatever the target's length up to the longest path a file may
// have, and the replacement that puts it in the target's place.
#include "services/file_replacement_face.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/common/file_text.h"
#include "tests/common/longest_path.h"
#include "tests/common/run_env_scratch.h"

namespace {

using driver_test::ReadWholeFile;
using driver_test::WriteWholeFile;
using longest_path::FolderOfLength;
using longest_path::kLongestPath;
using run_env_test::ScratchFolder;

std::string FolderOf(const std::string& path) { return path.substr(0, path.rfind('\\') + 1); }

class FileReplacement : public ::testing::Test {
 protected:
  ScratchFolder scratch_{"zovkbeside"};
};

TEST_F(FileReplacement, TheSideFileIsTheTargetsNameWithTheFirstFreeNumber) {
  const std::string target = scratch_.path() + "\\PLATE.ZFD";
  WriteWholeFile(target + ".~1", "mine");
  std::string path;
  {
    const UniqueHandle file = CreateFileBeside(target, path);
    ASSERT_TRUE(file.valid());
  }
  EXPECT_EQ(path, target + ".~2");
  EXPECT_EQ(ReadWholeFile(target + ".~1"), "mine");
}

// A target at the longest path, of a name of each length: the side file's
// name fits as the target's own does, in the target's folder, and never
// takes over a file that is there.
TEST_F(FileReplacement, ATargetAtTheLongestPathGetsASideFileInItsFolder) {
  for (const std::string name : {"BLOCK.QXN.BAK", "BLOCK.BAK", "A.EMF", "AB", "A"}) {
    SCOPED_TRACE(name);
    const std::string folder = FolderOfLength(scratch_.path() + "\\" + std::to_string(name.size()),
                                              kLongestPath - name.size());
    const std::string target = folder + name;
    ASSERT_EQ(target.size(), kLongestPath);
    ASSERT_TRUE(WriteWholeFile(target, "old"));
    std::vector<std::string> side_paths;
    std::vector<UniqueHandle> files;
    // As many side files at once as there are names of one character.
    for (int k = 0; k < 3; ++k) {
      std::string path;
      UniqueHandle file = CreateFileBeside(target, path);
      ASSERT_TRUE(file.valid()) << k;
      EXPECT_LE(path.size(), kLongestPath);
      EXPECT_EQ(FolderOf(path), folder);
      EXPECT_NE(path, target);
      EXPECT_EQ(std::count(side_paths.begin(), side_paths.end(), path), 0) << path;
      side_paths.push_back(path);
      files.push_back(std::move(file));
    }
    EXPECT_EQ(ReadWholeFile(target), "old");
    files.clear();
    for (const std::string& p : side_paths) DeleteFileA(p.c_str());

    {
      ReplacementFile replacement(target.c_str());
      ASSERT_TRUE(replacement.valid());
      DWORD written = 0;
      ASSERT_TRUE(WriteFile(replacement.get(), "new", 3, &written, nullptr));
      EXPECT_TRUE(replacement.Replace());
    }
    EXPECT_EQ(ReadWholeFile(target), "new");
    EXPECT_EQ(run_env_test::NamesIn(folder.substr(0, folder.size() - 1)),
              std::vector<std::string>{name});
  }
}

TEST_F(FileReplacement, ATargetPastTheLongestPathGetsNoSideFile) {
  const std::string folder = FolderOfLength(scratch_.path(), kLongestPath - 4);
  std::string path = "unchanged";
  EXPECT_FALSE(CreateFileBeside(folder + "LONG.BAK", path).valid());
  EXPECT_TRUE(path.empty());
  EXPECT_TRUE(run_env_test::NamesIn(folder.substr(0, folder.size() - 1)).empty());
}

}  // namespace
