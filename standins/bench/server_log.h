// The case server probe's log lines ("Operation|field|..."), read back into
// calls that can be made again. A plain text core.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bench {

enum class Operation {
  kLoadCaseFile,
  kSaveCaseFile,
  kRunProgram,
  kCloseCase,
  kGetCollection,  // CaseData::GetArrayInputs and its three siblings
  kArrayItem,
  kScalarItem,
  kArrayGetValue,
  kArrayPutValue,
  kArrayGetText,
  kArrayPutFlag,
  kArrayMark,
  kArrayGetCount,
  kScalarGetValue,
  kScalarPutValue,
  kScalarPutFlag,
  kOther,  // creation, server mode, shut down, multi-case: not part of a run
};

enum class Collection { kArrayInputs, kScalarInputs, kArrayResults, kScalarResults };

struct ServerCall {
  Operation operation = Operation::kOther;
  std::string name;  // the operation as logged ("ArrayVariable::PutValue")
  Collection collection = Collection::kArrayInputs;
  std::string variable;  // or the path or program of a case server call
  int64_t index = 0;     // or the option of a case server call
  int64_t number = 0;    // flag, or mark option
  std::string text;      // value text put
};

// Reads one line; nothing when the line is not one of the logged forms.
std::optional<ServerCall> ReadLogLine(std::string_view line);

// How many calls of each operation name a sequence holds.
std::map<std::string, int64_t> CountByOperation(const std::vector<ServerCall>& calls);

}  // namespace bench
