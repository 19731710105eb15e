// Definition files through RPREAD and dumps through RPDUMP.
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/lumbra/repository_fixture.h"

namespace fs = std::filesystem;

class FilesTest : public RepositoryTest {
 protected:
  void SetUp() override {
    RepositoryTest::SetUp();
    folder_ = fs::temp_directory_path() / "lumbra_files_test";
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override {
    fs::remove_all(folder_);
    RepositoryTest::TearDown();
  }

  std::string Write(const std::string& name, const std::string& text) {
    std::ofstream(folder_ / name, std::ios::binary) << text;
    return (folder_ / name).string();
  }

  // RPREAD as the input driver makes it: an empty folder text and the path,
  // each NUL-terminated in 257 characters.
  static int64_t Read(const std::string& path, const std::string& folder = "") {
    const FileText dir(folder), file(path);
    int64_t err = -7;
    RPREAD(dir.data(), dir.length(), file.data(), file.length(), &err);
    return err;
  }

  static int64_t DumpTo(const std::string& path) {
    const FileText file(path);
    int64_t one = 1, err = -7;
    RPDUMP(file.data(), file.length(), &one, &one, &one, &err);
    return err;
  }

  static std::string Contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  fs::path folder_;
};

TEST_F(FilesTest, TheShippedDefinitionFilesDeclareTheBlocksClasses) {
  // The tests run in the program folder, whose XEQ\ holds the definition files.
  for (const char* name : {"B_PRVT", "B_DOVI", "B_MSG"})
    EXPECT_EQ(Read(std::string("XEQ\\") + name + ".RPD"), 0) << name << ": " << LastError();
  EXPECT_EQ(LumbraProbeClassDeclared("plate_heat_exchanger_unit"), 1);
  EXPECT_EQ(LumbraProbeClassDeclared("plate_heat_exchanger_unit_INPUT"), 1);
  EXPECT_EQ(LumbraProbeObjectCount(), 0);
}

TEST_F(FilesTest, AFolderTextIsJoinedToTheFileName) {
  Write("B_DOVI.RPD", "class plate_heat_exchanger_unit\n");
  EXPECT_EQ(Read("B_DOVI.RPD", folder_.string()), 0) << LastError();
  EXPECT_EQ(Read("B_DOVI.RPD", folder_.string() + "\\"), 0) << LastError();
  const std::vector<std::string> calls = Calls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0], "RPREAD|" + folder_.string() + "\\B_DOVI.RPD");
  EXPECT_EQ(calls[1], calls[0]);
}

TEST_F(FilesTest, MissingOrMalformedFilesAnswerOneAndLoadNothing) {
  const std::string missing = (folder_ / "B_MSG.RPD").string();
  EXPECT_EQ(Read(missing), 1);
  EXPECT_NE(LastError().find("B_MSG.RPD: the file cannot be opened"), std::string::npos)
      << LastError();

  const std::string bad =
      Write("B_DOVI.RPD", "class A\nobject X class A\n  record R\n  rvals 2 1\n");
  EXPECT_EQ(Read(bad), 1);
  EXPECT_NE(LastError().find("B_DOVI.RPD line 5:"), std::string::npos) << LastError();
  EXPECT_EQ(LumbraProbeClassDeclared("A"), 0);
  EXPECT_EQ(LumbraProbeObjectCount(), 0);

  EXPECT_EQ(Read(folder_.string()), 1);  // a folder, not a file
  EXPECT_EQ(Read(""), 1);
  int64_t err = -7;
  RPREAD(nullptr, 257, nullptr, 257, &err);
  EXPECT_EQ(err, 1);  // the input driver counts every answer but 1 as success
}

TEST_F(FilesTest, AReadCanBeMadeToFailOnce) {
  const std::string path = Write("B_PRVT.RPD", "class material_stream\n");
  LumbraProbeFailNextRead("b_prvt");
  EXPECT_EQ(Read(path), 1);
  EXPECT_EQ(LumbraProbeClassDeclared("material_stream"), 0);
  EXPECT_EQ(Read(path), 0);  // the failure was for one read only
  EXPECT_EQ(LumbraProbeClassDeclared("material_stream"), 1);

  LumbraProbeFailNextRead("B_PRVT.RPD");
  LumbraProbeFailNextRead(path.c_str());
  EXPECT_EQ(Read(path), 1);
  EXPECT_EQ(Read(path), 1);
  EXPECT_EQ(Read(path), 0);

  LumbraProbeFailNextRead("B_DOVI");  // another file is not touched
  EXPECT_EQ(Read(path), 0);
}

TEST_F(FilesTest, ADumpFileReadsBackAsADefinitionFile) {
  int64_t object = 0;
  ASSERT_EQ(LumbraProbeLoadText("class plate_heat_exchanger_unit"), 0);
  ASSERT_EQ(New("R1", "plate_heat_exchanger_unit", &object), 0);
  ASSERT_EQ(Allo("R1", "Exchanger_performance", object), 0);
  ASSERT_EQ(Put("R1", "DOVI_PERFORMANCE",
                {.ivals = {99999999}, .rvals = std::vector<double>(24, 1.0E35)}),
            0);
  const std::string dump = (folder_ / "Plate_Tavik.RPO").string();
  ASSERT_EQ(DumpTo(dump), 0) << LastError();
  EXPECT_EQ(Calls().back(), "RPDUMP|" + dump + "|1 1 1");

  const std::string text = Contents(dump);
  EXPECT_NE(text.find("object \"R1\" class \"plate_heat_exchanger_unit\""), std::string::npos)
      << text;
  EXPECT_NE(text.find("rvals 24"), std::string::npos) << text;

  const std::string before = Dump();
  LumbraProbeReset();
  ASSERT_EQ(Read(dump), 0) << LastError();
  EXPECT_EQ(Dump(), before);
}

TEST_F(FilesTest, ADumpThatCannotBeWrittenAnswersEight) {
  EXPECT_EQ(DumpTo((folder_ / "no such folder" / "Plate_Tavik.RPO").string()), 8);
  EXPECT_EQ(DumpTo(""), 7);
}
