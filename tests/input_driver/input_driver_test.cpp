// The input driver against the repository stand-in and the definition files
// of the build's XEQ folder: the statuses 0, 1, 5 and 8, the unit input
// object made afresh, and the connections opened whatever happened.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runenv/run_folders_face.h"
#include "standins/lumbra/repository_probe.h"
#include "tests/common/driver_doubles.h"
#include "tests/common/host_arguments.h"
#include "tests/common/run_env_scratch.h"

namespace {

using driver_test::DOUBLES;
using driver_test::HostCall;
using run_env_test::Exists;
using run_env_test::ScratchFolder;

// The folder of the test program, where the build puts XEQ\*.RPD.
std::string ProgramFolder() {
  char path[MAX_PATH];
  const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
  std::string folder(path, n);
  return folder.substr(0, folder.find_last_of('\\') + 1);
}

std::vector<std::string> RepositoryCalls() {
  std::vector<std::string> calls;
  char entry[512];
  for (int64_t i = 1; i <= LumbraProbeCallCount(); ++i) {
    LumbraProbeCall(i, entry, sizeof entry);
    calls.emplace_back(entry);
  }
  return calls;
}

class InputDriver : public ::testing::Test {
 protected:
  void SetUp() override {
    LumbraProbeReset();
    DOUBLES.Reset();
    RUN_FOLDERS.PROGDIR = ProgramFolder();
    case_path_ = folder_.path() + "\\BLOCK.QXN";
  }
  void TearDown() override { LumbraProbeReset(); }

  std::string Definition(const char* name) const {
    return "RPREAD|" + ProgramFolder() + "XEQ\\" + name + ".RPD";
  }

  ScratchFolder folder_{"zovkinput"};
  HostCall call_;
  std::string case_path_;
};

TEST_F(InputDriver, ExistingCaseFileReadsTheDefinitionsAndMakesTheUnitObject) {
  run_env_test::MakeFile(case_path_);
  EXPECT_EQ(call_.Input(case_path_), 0);

  const std::vector<std::string> expected = {
      Definition("B_PRVT"),
      Definition("B_DOVI"),
      Definition("B_MSG"),
      "RPFIND|UNIT",
      "RPNEW|UNIT|plate_heat_exchanger_unit_INPUT",
      "RPALLO|UNIT|Exchanger_design_criteria|" + std::to_string(LumbraProbeObjectHandle("UNIT")),
  };
  EXPECT_EQ(RepositoryCalls(), expected);
  char text[64];
  ASSERT_EQ(LumbraProbeRecordCount("UNIT"), 1);
  LumbraProbeRecordName("UNIT", 1, text, sizeof text);
  EXPECT_STREQ(text, "Exchanger_design_criteria");
  EXPECT_EQ(DOUBLES.log, std::vector<std::string>{"OPEN_CONNECTIONS|BLOCK1"});
  EXPECT_TRUE(Exists(case_path_));
}

TEST_F(InputDriver, SecondCallEmptiesTheUnitObject) {
  run_env_test::MakeFile(case_path_);
  ASSERT_EQ(call_.Input(case_path_), 0);
  ASSERT_EQ(LumbraProbeLoadText("object UNIT class plate_heat_exchanger_unit_INPUT record "
                                "PLATE_QUOR_UNIT_INPUT ivals 1 3 end end"),
            0);
  EXPECT_EQ(call_.Input(case_path_), 0);
  char text[64];
  ASSERT_EQ(LumbraProbeRecordCount("UNIT"), 1);
  LumbraProbeRecordName("UNIT", 1, text, sizeof text);
  EXPECT_STREQ(text, "Exchanger_design_criteria");
  EXPECT_EQ(LumbraProbeObjectClass("UNIT", text, sizeof text), 31);
  EXPECT_STREQ(text, "plate_heat_exchanger_unit_INPUT");
}

TEST_F(InputDriver, MissingCaseFileIsTestedAndLeftMissing) {
  EXPECT_EQ(call_.Input(case_path_), 1);
  EXPECT_FALSE(Exists(case_path_));
  EXPECT_EQ(DOUBLES.log, std::vector<std::string>{"OPEN_CONNECTIONS|BLOCK1"});

  // A folder that does not exist, a folder where the file should be, no path.
  for (const std::string& path :
       {folder_.path() + "\\NOFOLDER\\BLOCK.QXN", folder_.path(), std::string()}) {
    DOUBLES.log.clear();
    EXPECT_EQ(call_.Input(path), 8) << path;
    EXPECT_EQ(DOUBLES.log, std::vector<std::string>{"OPEN_CONNECTIONS|BLOCK1"});
  }
  EXPECT_FALSE(Exists(folder_.path() + "\\NOFOLDER"));
}

TEST_F(InputDriver, DefinitionThatFailsToLoadStopsAtItButOpensTheConnections) {
  struct Failing {
    const char* file;
    std::size_t reads;
  };
  for (const Failing& f : {Failing{"B_PRVT", 1}, Failing{"B_DOVI", 2}, Failing{"B_MSG", 3}}) {
    SetUp();
    LumbraProbeFailNextRead(f.file);
    // The case file is missing: had it been tested, the status would be 1.
    EXPECT_EQ(call_.Input(case_path_), 5) << f.file;
    const std::vector<std::string> calls = RepositoryCalls();
    ASSERT_EQ(calls.size(), f.reads) << f.file;
    EXPECT_EQ(calls.back(), Definition(f.file));
    EXPECT_EQ(LumbraProbeObjectCount(), 0);
    EXPECT_FALSE(Exists(case_path_));
    EXPECT_EQ(DOUBLES.log, std::vector<std::string>{"OPEN_CONNECTIONS|BLOCK1"});
  }
}

TEST_F(InputDriver, IdsWithoutTheUnitInputObjectAreRefusedButOpenTheConnections) {
  call_.block.ids.resize(19);
  EXPECT_EQ(call_.Input(case_path_), 39);
  EXPECT_TRUE(RepositoryCalls().empty());
  EXPECT_FALSE(Exists(case_path_));
  // Later calls of the block rely on the connections an input call opens.
  EXPECT_EQ(DOUBLES.log, std::vector<std::string>{"OPEN_CONNECTIONS|BLOCK1"});
}

}  // namespace
