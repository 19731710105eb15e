#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "case_server_fixture.h"

namespace {

using case_probe::Entry;

constexpr int AI = CASE_PROBE_ARRAY_INPUTS;
constexpr int SI = CASE_PROBE_SCALAR_INPUTS;
constexpr int AR = CASE_PROBE_ARRAY_RESULTS;

// A folder of the test's own under the temporary folder, emptied at the end.
class ScratchFolder {
 public:
  ScratchFolder() {
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    path_ = std::string(base) + "casesrv_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(path_.c_str(), nullptr);
  }
  ~ScratchFolder() {
    WIN32_FIND_DATAA found;
    UniqueFindHandle search(FindFirstFileA((path_ + "\\*").c_str(), &found));
    if (search.valid()) {
      do DeleteFileA((path_ + "\\" + found.cFileName).c_str());
      while (FindNextFileA(search.get(), &found));
    }
    search.close();
    RemoveDirectoryA(path_.c_str());
  }
  std::string file(const char* name) const { return path_ + "\\" + name; }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class CaseFilesTest : public CaseServerTest {
 protected:
  long Save(const std::string& path, std::string* path_back = nullptr) {
    Bstr p(path);
    short option = 1;
    long status = -1;
    EXPECT_HRESULT_SUCCEEDED(server->SaveCaseFile(p.inout(), &option, &status));
    if (path_back) *path_back = p.ansi();
    return status;
  }
  long Load(const std::string& path) {
    long status = -1;
    EXPECT_HRESULT_SUCCEEDED(server->LoadCaseFile(Bstr(path).get(), 0, &status));
    return status;
  }
  void FillSomeEntries() {
    auto flow = ArrayInput("FlowRate");
    flow->PutValue(1, Bstr("   1.00000000000000").get());
    flow->PutFlag(1, 1);
    flow->PutFlag(2, 2);
    ScalarInput("PlateProgMode")->PutValue(Bstr("  \"3\"").get());
    CaseProbeDefineVariable(AR, "arTavikMsgs", 2);
    CaseProbeSetEntry(AR, "arTavikMsgs", 2, "", 0, "53");
  }

  ScratchFolder folder;
};

TEST_F(CaseFilesTest, ASavedCaseLoadsBackWhole) {
  FillSomeEntries();
  ArrayInput("Temperature")->Mark(-1, 0);
  const std::string file = folder.file("BLOCK.QXN");
  std::string back;
  EXPECT_EQ(Save(file, &back), CASE_SAVE_DONE);
  EXPECT_EQ(back, file);
  EXPECT_TRUE(ReadFile(file).starts_with("QXN-CASE 1\n"));
  EXPECT_FALSE(Exists(file + ".saving"));

  // Another server, the same file: the same case, without the marks.
  auto other = NewServer();
  long status = -1;
  ASSERT_HRESULT_SUCCEEDED(other->LoadCaseFile(Bstr(file).get(), 0, &status));
  EXPECT_EQ(status, CASE_LOAD_DONE);
  EXPECT_EQ(case_probe::EntryAt(AI, "FlowRate", 1), (Entry{"   1.00000000000000", 1, ""}));
  EXPECT_EQ(case_probe::EntryAt(AI, "FlowRate", 2), (Entry{"", 2, ""}));
  EXPECT_EQ(case_probe::Value(SI, "PlateProgMode"), "  \"3\"");
  EXPECT_EQ(CaseProbeEntryCount(AR, "arTavikMsgs"), 2);
  EXPECT_EQ(case_probe::Text(AR, "arTavikMsgs", 2), "53");
  EXPECT_EQ(CaseProbeEntryCount(AI, "Temperature"), 240);
  EXPECT_EQ(CaseProbeMarkCount(AI, "Temperature"), 0);
  EXPECT_TRUE(case_probe::Server().case_open);
  other->ShutDown();
}

TEST_F(CaseFilesTest, TheLoadedFileDecidesTheVariables) {
  WriteFile(folder.file("SMALL.QXN"),
            "QXN-CASE 1\nprogram \"Vodi\"\n"
            "variable ArrayInputs \"FlowRate\" 2\nentry 2 1 \"7\"\nend\n");
  FillSomeEntries();
  EXPECT_EQ(Load(folder.file("SMALL.QXN")), CASE_LOAD_DONE);
  EXPECT_EQ(case_probe::Value(AI, "FlowRate", 2), "7");
  EXPECT_FALSE(ArrayInput("Temperature"));
  EXPECT_EQ(case_probe::Log().back(), "ArrayVariables::Item|ArrayInputs|Temperature|absent");
}

TEST_F(CaseFilesTest, ACaseFileThatCannotBeReadStartsANewCase) {
  const std::string foreign = folder.file("FOREIGN.QXN");
  const std::string cut = folder.file("CUT.QXN");
  const std::string other_program = folder.file("OTHER.QXN");
  WriteFile(foreign, "not a case\n");
  WriteFile(cut, "QXN-CASE 1\nprogram \"Vodi\"\nvariable ArrayInputs \"FlowRate\" 2\n");
  WriteFile(other_program, "QXN-CASE 1\nprogram \"Other\"\nend\n");
  const struct {
    std::string path;
    long status;
  } cases[] = {
      {folder.file("MISSING.QXN"), CASE_LOAD_NO_FILE},
      {folder.path(), CASE_LOAD_NO_FILE},  // a folder
      {"", CASE_LOAD_NO_FILE},
      {foreign, CASE_LOAD_NOT_A_CASE_FILE},
      {cut, CASE_LOAD_NOT_A_CASE_FILE},
      {other_program, CASE_LOAD_NOT_A_CASE_FILE},
  };
  for (const auto& c : cases) {
    FillSomeEntries();
    EXPECT_EQ(Load(c.path), c.status) << c.path;
    // Nothing of the earlier case passes for the file's.
    EXPECT_EQ(case_probe::EntryAt(AI, "FlowRate", 1), Entry{}) << c.path;
    EXPECT_EQ(CaseProbeEntryCount(AI, "Temperature"), 240) << c.path;
    EXPECT_TRUE(case_probe::Server().case_open) << c.path;
  }
  EXPECT_EQ(ReadFile(foreign), "not a case\n");  // loading never writes
}

TEST_F(CaseFilesTest, AFailedSaveLeavesTheFileAlone) {
  const std::string file = folder.file("KEPT.QXN");
  WriteFile(file, "earlier contents");
  // A folder of that name stands where the partial file would be written.
  CreateDirectoryA((file + ".saving").c_str(), nullptr);
  std::string back;
  EXPECT_EQ(Save(file, &back), CASE_SAVE_NOT_WRITTEN);
  EXPECT_EQ(back, file);
  EXPECT_EQ(ReadFile(file), "earlier contents");
  RemoveDirectoryA((file + ".saving").c_str());

  EXPECT_EQ(Save(folder.file("NO_SUCH_FOLDER\\CASE.QXN")), CASE_SAVE_NOT_WRITTEN);
  EXPECT_EQ(Save(""), CASE_SAVE_NOT_WRITTEN);
}

TEST_F(CaseFilesTest, ASaveWithoutACaseWritesNothing) {
  auto fresh = NewServer();
  Bstr path(folder.file("NONE.QXN"));
  short option = 1;
  long status = -1;
  EXPECT_HRESULT_SUCCEEDED(fresh->SaveCaseFile(path.inout(), &option, &status));
  EXPECT_EQ(status, CASE_SAVE_NO_CASE);
  EXPECT_FALSE(Exists(folder.file("NONE.QXN")));
  EXPECT_EQ(case_probe::Log().back(), "CaseServer::SaveCaseFile|" + folder.file("NONE.QXN") + "|1");
  fresh->ShutDown();
}

TEST_F(CaseFilesTest, ARelativePathComesBackAbsolute) {
  char before[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, before);
  ASSERT_TRUE(SetCurrentDirectoryA(folder.path().c_str()));
  std::string back;
  const long status = Save("REL.QXN", &back);
  SetCurrentDirectoryA(before);
  EXPECT_EQ(status, CASE_SAVE_DONE);
  EXPECT_TRUE(Exists(folder.file("REL.QXN")));
  char full[MAX_PATH];
  GetFullPathNameA(folder.file("REL.QXN").c_str(), MAX_PATH, full, nullptr);
  EXPECT_EQ(back, full);
}

TEST_F(CaseFilesTest, AClosedCaseKeepsItsValuesForALaterSave) {
  FillSomeEntries();
  EXPECT_EQ(server->CloseCase(), S_OK);
  EXPECT_FALSE(case_probe::Server().case_open);
  EXPECT_EQ(server->CloseCase(), S_FALSE);
  ArrayInput("FlowRate")->PutValue(2, Bstr("after close").get());
  EXPECT_EQ(Save(folder.file("CLOSED.QXN")), CASE_SAVE_DONE);
  EXPECT_EQ(Load(folder.file("CLOSED.QXN")), CASE_LOAD_DONE);
  EXPECT_EQ(case_probe::Value(AI, "FlowRate", 2), "after close");
}

}  // namespace
