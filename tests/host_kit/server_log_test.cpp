#include "standins/bench/server_log.h"

#include <gtest/gtest.h>

namespace {

using bench::Collection;
using bench::Operation;
using bench::ReadLogLine;

TEST(ServerLog, ReadsEachFieldOfAValuePut) {
  const auto call = ReadLogLine("ArrayVariable::PutValue|ArrayInputs|FlowRate|2|   1.0|x");
  ASSERT_TRUE(call);
  EXPECT_EQ(call->operation, Operation::kArrayPutValue);
  EXPECT_EQ(call->collection, Collection::kArrayInputs);
  EXPECT_EQ(call->variable, "FlowRate");
  EXPECT_EQ(call->index, 2);
  // The text is the rest of the line, separator included.
  EXPECT_EQ(call->text, "   1.0|x");
}

TEST(ServerLog, ReadsTheOtherForms) {
  const struct {
    const char* line;
    Operation operation;
    Collection collection;
    const char* variable;
    int64_t index, number;
  } cases[] = {
      {"CaseServer::LoadCaseFile|C:\\A.QXN|0", Operation::kLoadCaseFile, Collection::kArrayInputs,
       "C:\\A.QXN", 0, 0},
      {"CaseData::GetScalarResults", Operation::kGetCollection, Collection::kScalarResults, "", 0,
       0},
      {"ArrayVariables::Item|ArrayResults|DPTotal|absent", Operation::kArrayItem,
       Collection::kArrayResults, "DPTotal", 0, 0},
      {"ArrayVariable::Mark|ArrayInputs|Temperature|-1|0", Operation::kArrayMark,
       Collection::kArrayInputs, "Temperature", -1, 0},
      {"ArrayVariable::PutFlag|ArrayInputs|FlowRate|1|1", Operation::kArrayPutFlag,
       Collection::kArrayInputs, "FlowRate", 1, 1},
      {"ScalarVariable::PutFlag|ScalarInputs|PlateProgMode|1", Operation::kScalarPutFlag,
       Collection::kScalarInputs, "PlateProgMode", 0, 1},
      {"CaseServer::ShutDown", Operation::kOther, Collection::kArrayInputs, "", 0, 0},
  };
  for (const auto& c : cases) {
    const auto call = ReadLogLine(c.line);
    ASSERT_TRUE(call) << c.line;
    EXPECT_EQ(call->operation, c.operation) << c.line;
    EXPECT_EQ(call->collection, c.collection) << c.line;
    EXPECT_EQ(call->variable, c.variable) << c.line;
    EXPECT_EQ(call->index, c.index) << c.line;
    EXPECT_EQ(call->number, c.number) << c.line;
  }
}

TEST(ServerLog, RefusesLinesOfNoLoggedForm) {
  for (const char* line : {"", "nothing", "ArrayVariable::PutFlag|ArrayInputs|FlowRate|one|1",
                           "ArrayVariable::GetValue|Elsewhere|FlowRate|1",
                           "ArrayVariables::Item|ArrayInputs|FlowRate|maybe",
                           "ArrayVariable::GetValue|ArrayInputs|FlowRate"})
    EXPECT_FALSE(ReadLogLine(line)) << line;
}

}  // namespace
