#include <gtest/gtest.h>
#include <malloc.h>

#include <vector>

#include "standins/caseserver/program_case.h"
#include "tests/caseserver/case_server_fixture.h"
#include "tests/common/scratch_folder.h"

namespace {

using case_probe::Entry;

constexpr int AI = CASE_PROBE_ARRAY_INPUTS;
constexpr int SI = CASE_PROBE_SCALAR_INPUTS;
constexpr int AR = CASE_PROBE_ARRAY_RESULTS;

// Where the C runtime's heap, which the stand-in's case lives in, has busy
// blocks of exactly `size` bytes.
std::vector<const void*> BlocksOfSize(std::size_t size) {
  std::vector<const void*> found;
  found.reserve(16);  // no allocation while the heap is walked
  const auto heap = reinterpret_cast<HANDLE>(_get_heap_handle());
  HeapLock(heap);
  PROCESS_HEAP_ENTRY entry{};
  while (HeapWalk(heap, &entry))
    if ((entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) && entry.cbData == size && found.size() < 16)
      found.push_back(entry.lpData);
  HeapUnlock(heap);
  return found;
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
  const std::string file = folder / "BLOCK.QXN";
  std::string back;
  EXPECT_EQ(Save(file, &back), CASE_SAVE_DONE);
  EXPECT_EQ(back, file);
  EXPECT_TRUE(ReadBytes(file).starts_with("QXN-CASE 1\n"));
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
  WriteBytes(folder / "SMALL.QXN",
             "QXN-CASE 1\nprogram \"Vodi\"\n"
             "variable ArrayInputs \"FlowRate\" 2\nentry 2 1 \"7\"\nend\n");
  FillSomeEntries();
  EXPECT_EQ(Load(folder / "SMALL.QXN"), CASE_LOAD_DONE);
  EXPECT_EQ(case_probe::Value(AI, "FlowRate", 2), "7");
  EXPECT_FALSE(ArrayInput("Temperature"));
  EXPECT_EQ(case_probe::Log().back(), "ArrayVariables::Item|ArrayInputs|Temperature|absent");
}

TEST_F(CaseFilesTest, ACaseLoadedAgainStaysInTheMemoryItHas) {
  // A run loads its case file again at every execute: the held case takes
  // the file's values into the rows it has, not into a whole case built
  // anew beside it, so that a long series of runs does not scatter the heap.
  // A row of 777 entries is a block of a size nothing else here has.
  const std::string file = folder / "ROWS.QXN";
  WriteBytes(file,
             "QXN-CASE 1\nprogram \"Vodi\"\nvariable ArrayInputs \"Rows\" 777\n"
             "entry 1 1 \"a value longer than the room of a short text\"\nend\n");
  const std::size_t row_bytes = 777 * sizeof(CaseEntry);
  ASSERT_EQ(Load(file), CASE_LOAD_DONE);
  const std::vector<const void*> rows = BlocksOfSize(row_bytes);
  ASSERT_EQ(rows.size(), 1u);
  ArrayInput("Rows")->PutValue(2, Bstr("put before the load").get());

  ASSERT_EQ(Load(file), CASE_LOAD_DONE);
  EXPECT_EQ(BlocksOfSize(row_bytes), rows);
  EXPECT_EQ(case_probe::Value(AI, "Rows", 1), "a value longer than the room of a short text");
  EXPECT_EQ(case_probe::EntryAt(AI, "Rows", 2), Entry{});
  EXPECT_FALSE(ArrayInput("Temperature"));
}

TEST_F(CaseFilesTest, ACaseFileThatCannotBeReadStartsANewCase) {
  const std::string foreign = folder / "FOREIGN.QXN";
  const std::string cut = folder / "CUT.QXN";
  const std::string other_program = folder / "OTHER.QXN";
  WriteBytes(foreign, "not a case\n");
  WriteBytes(cut, "QXN-CASE 1\nprogram \"Vodi\"\nvariable ArrayInputs \"FlowRate\" 2\n");
  WriteBytes(other_program, "QXN-CASE 1\nprogram \"Other\"\nend\n");
  const struct {
    std::string path;
    long status;
  } cases[] = {
      {folder / "MISSING.QXN", CASE_LOAD_NO_FILE},
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
  EXPECT_EQ(ReadBytes(foreign), "not a case\n");  // loading never writes

  // A whole case file that another program holds open for writing cannot be
  // read: no file, and a new case, until the other program lets it go.
  const std::string held = folder / "HELD.QXN";
  WriteBytes(held,
             "QXN-CASE 1\nprogram \"Vodi\"\n"
             "variable ArrayInputs \"FlowRate\" 2\nentry 2 1 \"7\"\nend\n");
  {
    const UniqueHandle writer(CreateFileA(held.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(writer.valid());
    FillSomeEntries();
    EXPECT_EQ(Load(held), CASE_LOAD_NO_FILE);
    EXPECT_EQ(case_probe::EntryAt(AI, "FlowRate", 1), Entry{});
    EXPECT_EQ(CaseProbeEntryCount(AI, "Temperature"), 240);
  }
  EXPECT_EQ(Load(held), CASE_LOAD_DONE);
  EXPECT_EQ(case_probe::Value(AI, "FlowRate", 2), "7");
}

TEST_F(CaseFilesTest, AFailedSaveLeavesTheFileAlone) {
  const std::string file = folder / "KEPT.QXN";
  WriteBytes(file, "earlier contents");
  // A folder of that name stands where the partial file would be written.
  CreateDirectoryA((file + ".saving").c_str(), nullptr);
  std::string back;
  EXPECT_EQ(Save(file, &back), CASE_SAVE_NOT_WRITTEN);
  EXPECT_EQ(back, file);
  EXPECT_EQ(ReadBytes(file), "earlier contents");
  RemoveDirectoryA((file + ".saving").c_str());

  EXPECT_EQ(Save(folder / "NO_SUCH_FOLDER\\CASE.QXN"), CASE_SAVE_NOT_WRITTEN);
  EXPECT_EQ(Save(""), CASE_SAVE_NOT_WRITTEN);
}

TEST_F(CaseFilesTest, ASaveWithoutACaseWritesNothing) {
  auto fresh = NewServer();
  Bstr path(folder / "NONE.QXN");
  short option = 1;
  long status = -1;
  EXPECT_HRESULT_SUCCEEDED(fresh->SaveCaseFile(path.inout(), &option, &status));
  EXPECT_EQ(status, CASE_SAVE_NO_CASE);
  EXPECT_FALSE(Exists(folder / "NONE.QXN"));
  EXPECT_EQ(case_probe::Log().back(), "CaseServer::SaveCaseFile|" + folder / "NONE.QXN" + "|1");
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
  EXPECT_TRUE(Exists(folder / "REL.QXN"));
  char full[MAX_PATH];
  GetFullPathNameA((folder / "REL.QXN").c_str(), MAX_PATH, full, nullptr);
  EXPECT_EQ(back, full);
}

TEST_F(CaseFilesTest, AClosedCaseKeepsItsValuesForALaterSave) {
  FillSomeEntries();
  EXPECT_EQ(server->CloseCase(), S_OK);
  EXPECT_FALSE(case_probe::Server().case_open);
  EXPECT_EQ(server->CloseCase(), S_FALSE);
  ArrayInput("FlowRate")->PutValue(2, Bstr("after close").get());
  EXPECT_EQ(Save(folder / "CLOSED.QXN"), CASE_SAVE_DONE);
  EXPECT_EQ(Load(folder / "CLOSED.QXN"), CASE_LOAD_DONE);
  EXPECT_EQ(case_probe::Value(AI, "FlowRate", 2), "after close");
}

}  // namespace
