#include "services/install_paths_face.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "runenv/run_folders_face.h"
#include "tests/common/scratch_folder.h"

namespace {

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// The suite's probe library, copied to a path of the test's choosing and loaded.
class LoadedCopy {
 public:
  explicit LoadedCopy(const std::string& path) {
    char here[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, here, MAX_PATH);
    std::string probe(here);
    probe = probe.substr(0, probe.rfind('\\') + 1) + "install_probe.dll";
    WriteBytes(path, ReadBytes(probe));
    module_ = LoadLibraryA(path.c_str());
  }
  ~LoadedCopy() {
    if (module_) FreeLibrary(module_);
  }
  HMODULE get() const { return module_; }

 private:
  HMODULE module_ = nullptr;
};

class InstallFolder : public ::testing::Test {
 protected:
  void SetUp() override { _putenv("KVEM="); }
  void TearDown() override { _putenv("KVEM="); }
  ScratchFolder scratch_;
};

TEST_F(InstallFolder, IsTheLibraryPathUpToItsFirstXeqFolder) {
  LoadedCopy unit(scratch_ / "Prog\\Xeq\\Unit.dll");
  ASSERT_NE(unit.get(), nullptr);
  char folder[256] = "UNTOUCHED";
  EXPECT_EQ(FindInstallFolder(unit.get(), folder, sizeof folder), 0);
  EXPECT_EQ(std::string(folder), Upper(scratch_ / "Prog\\"));

  LoadedCopy nested(scratch_ / "APPS\\XEQ\\OLD\\XEQ\\UNIT2.DLL");
  ASSERT_NE(nested.get(), nullptr);
  EXPECT_EQ(FindInstallFolder(nested.get(), folder, sizeof folder), 0);
  EXPECT_EQ(std::string(folder), Upper(scratch_ / "APPS\\"));
}

TEST_F(InstallFolder, FallsBackToTheKvemValueUnchanged) {
  char folder[256] = "UNTOUCHED";
  const HMODULE test_program = GetModuleHandleA(nullptr);  // its path has no XEQ folder
  EXPECT_EQ(FindInstallFolder(test_program, folder, sizeof folder), -1);
  EXPECT_STREQ(folder, "UNTOUCHED");
  _putenv("KVEM=E:\\Kv");
  EXPECT_EQ(FindInstallFolder(test_program, folder, sizeof folder), 0);
  EXPECT_STREQ(folder, "E:\\Kv");
  std::strcpy(folder, "UNTOUCHED");
  EXPECT_EQ(FindInstallFolder(nullptr, folder, sizeof folder), 0);  // no module: straight there
  EXPECT_STREQ(folder, "E:\\Kv");
}

TEST_F(InstallFolder, AFolderThatDoesNotFitIsRefused) {
  LoadedCopy unit(scratch_ / "Prog\\Xeq\\Unit.dll");
  ASSERT_NE(unit.get(), nullptr);
  const std::string expected = Upper(scratch_ / "Prog\\");
  char folder[256] = "UNTOUCHED";
  EXPECT_EQ(FindInstallFolder(unit.get(), folder, expected.size()), -1);
  EXPECT_STREQ(folder, "UNTOUCHED");
  EXPECT_EQ(FindInstallFolder(unit.get(), folder, expected.size() + 1), 0);
  EXPECT_EQ(std::string(folder), expected);

  _putenv(("KVEM=" + std::string(300, 'K')).c_str());
  std::strcpy(folder, "UNTOUCHED");
  EXPECT_EQ(FindInstallFolder(nullptr, folder, sizeof folder), -1);
  EXPECT_STREQ(folder, "UNTOUCHED");
}

TEST(InstallFolderInPath, CutsBeforeTheFirstXeqInUpperCase) {
  EXPECT_EQ(InstallFolderInPath("C:\\Prog\\Xeq\\Unit.dll"), "C:\\PROG\\");
  EXPECT_EQ(InstallFolderInPath("D:\\APPS\\XEQ\\OLD\\XEQ\\UNIT.DLL"), "D:\\APPS\\");
  EXPECT_EQ(InstallFolderInPath("XEQ\\UNIT.DLL"), "");
  EXPECT_EQ(InstallFolderInPath("C:\\XEQX\\UNIT.DLL"), std::nullopt);
  EXPECT_EQ(InstallFolderInPath("C:\\PROG\\XEQ"), std::nullopt);
  EXPECT_EQ(InstallFolderInPath(""), std::nullopt);
}

TEST(EnvironmentValue, CopiesASetValueThatFitsAndAnswersTheBuffersLength) {
  _putenv("ZOVK_PROBE=VALUE");
  char buffer[16] = "OLD TEXT";
  EXPECT_EQ(GetEnvironmentValue("ZOVK_PROBE", 0, buffer, sizeof buffer), 5);
  EXPECT_STREQ(buffer, "VALUE");
  _putenv("ZOVK_PROBE=");
  std::strcpy(buffer, "OLD TEXT");
  EXPECT_EQ(GetEnvironmentValue("ZOVK_PROBE", 0, buffer, sizeof buffer), 8);
  EXPECT_STREQ(buffer, "OLD TEXT");
  _putenv("ZOVK_PROBE=0123456789ABCDEF");  // 16 characters and the terminator: too long
  EXPECT_EQ(GetEnvironmentValue("ZOVK_PROBE", 0, buffer, sizeof buffer), 8);
  EXPECT_STREQ(buffer, "OLD TEXT");
  EXPECT_EQ(GetEnvironmentValue("ZOVK_PROBE", 0, buffer, 0), 0);
  _putenv("ZOVK_PROBE=");
}

TEST(UniqueTag, IsTheLowTwentyFourBitsOfTheTimeInHex) {
  const struct {
    int64_t seconds;
    const char* tag;
  } cases[] = {{313249263, "ABCDEF"}, {16777221, "000005"}, {255, "0000FF"}, {0, "000000"}};
  for (const auto& c : cases) {
    char tag[7];
    FormatTimeTag(c.seconds, tag);
    EXPECT_STREQ(tag, c.tag) << c.seconds;
  }
  char tag[8] = "XXXXXXX";
  char expected[7];
  const std::time_t before = std::time(nullptr);
  EXPECT_EQ(MakeUniqueTag(tag, sizeof tag), 1);
  const std::time_t after = std::time(nullptr);
  FormatTimeTag(before, expected);
  const std::string first = expected;
  FormatTimeTag(after, expected);
  EXPECT_TRUE(tag == first || tag == std::string(expected)) << tag;
  char small[7] = "SMALL";
  EXPECT_EQ(MakeUniqueTag(small, 6), 0);
  EXPECT_STREQ(small, "SMALL");
}

TEST(PathsValue, KeepsTheLastValueSet) {
  EXPECT_EQ(GetPathsValue(), 0);
  EXPECT_EQ(SetPathsValue(7), 7);
  EXPECT_EQ(GetPathsValue(), 7);
  EXPECT_EQ(SetPathsValue(-3), -3);
  EXPECT_EQ(GetPathsValue(), -3);
}

TEST(ProgramSubfolders, FollowTheProgramFolderAndRefuseWhatDoesNotFit) {
  std::strcpy(FOLDER_BUFFERS.program_folder, "C:\\PROG\\");
  char buffer[32] = "";
  EXPECT_EQ(GetLanFolder(buffer, sizeof buffer), 1);
  EXPECT_STREQ(buffer, "C:\\PROG\\DAT\\LAN\\");
  EXPECT_EQ(GetPdaFolder(buffer, sizeof buffer), 1);
  EXPECT_STREQ(buffer, "C:\\PROG\\DAT\\PDA\\");
  EXPECT_EQ(GetPdaFolder(buffer, 17), 1);  // 16 characters and the terminator
  EXPECT_EQ(GetPdaFolder(buffer, 16), 0);
  EXPECT_STREQ(buffer, "");
  FOLDER_BUFFERS.program_folder[0] = '\0';
}

}  // namespace
