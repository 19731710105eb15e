// Case paths that carry no ".QXN" of their own: whatever the run does with
// them, the case file survives it, complete.
#include "tests/end_to_end/host_fixture.h"

namespace {

struct CasePathCase {
  const char* name;
  int64_t output_mode;
};

class CasePathTest : public HostTest, public ::testing::WithParamInterface<CasePathCase> {};

TEST_P(CasePathTest, TheCaseFileIsNeverLost) {
  const CasePathCase& c = GetParam();
  // Message 6 makes execute save the case over the file.
  SetProgramRun(ProgramRun{{}, {"6"}});
  ASSERT_NO_FATAL_FAILURE(LoadExample(c.name));
  RunToExecute();
  road_->Output(c.output_mode);
  road_->Exit();

  EXPECT_EQ(FilesIn(scratch_.path()), std::vector<std::string>{c.name});
  const SavedCase saved(case_path_);
  EXPECT_EQ(saved.status(), CASE_LOAD_DONE);
}

INSTANTIATE_TEST_SUITE_P(WithoutQxn, CasePathTest,
                         ::testing::Values(CasePathCase{"BLOCK1.CASE", 1},
                                           CasePathCase{"BLOCK1.CASE", 2},
                                           CasePathCase{"block1.qxn", 1},
                                           CasePathCase{"block1.qxn", 2}, CasePathCase{"BLOCK1", 1},
                                           CasePathCase{"BLOCK1", 2}, CasePathCase{"BLOCK1.BAK", 1},
                                           CasePathCase{"BLOCK1.BAK", 2}));

}  // namespace
