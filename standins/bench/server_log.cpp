#include "standins/bench/server_log.h"

#include <charconv>

namespace bench {

namespace {

// Splits at "|"; the last of at most `most` fields keeps the rest of the line,
// so a value text may hold the separator.
std::vector<std::string_view> Fields(std::string_view line, std::size_t most) {
  std::vector<std::string_view> fields;
  while (fields.size() + 1 < most) {
    const std::size_t bar = line.find('|');
    if (bar == std::string_view::npos) break;
    fields.push_back(line.substr(0, bar));
    line.remove_prefix(bar + 1);
  }
  fields.push_back(line);
  return fields;
}

bool Number(std::string_view text, int64_t& value) {
  const char* end = text.data() + text.size();
  auto [p, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && p == end;
}

std::optional<Collection> CollectionNamed(std::string_view name) {
  if (name == "ArrayInputs") return Collection::kArrayInputs;
  if (name == "ScalarInputs") return Collection::kScalarInputs;
  if (name == "ArrayResults") return Collection::kArrayResults;
  if (name == "ScalarResults") return Collection::kScalarResults;
  return std::nullopt;
}

struct Form {
  const char* name;
  Operation operation;
  // The fields after the operation: c collection, v variable or path, i index
  // or option, n number, t text, f found/absent (checked, not kept).
  const char* fields;
};

constexpr Form kForms[] = {
    {"CaseServer::LoadCaseFile", Operation::kLoadCaseFile, "vi"},
    {"CaseServer::SaveCaseFile", Operation::kSaveCaseFile, "vi"},
    {"CaseServer::RunProgram", Operation::kRunProgram, "vi"},
    {"CaseServer::CloseCase", Operation::kCloseCase, ""},
    {"CaseData::GetArrayInputs", Operation::kGetCollection, ""},
    {"CaseData::GetScalarInputs", Operation::kGetCollection, ""},
    {"CaseData::GetArrayResults", Operation::kGetCollection, ""},
    {"CaseData::GetScalarResults", Operation::kGetCollection, ""},
    {"ArrayVariables::Item", Operation::kArrayItem, "cvf"},
    {"ScalarVariables::Item", Operation::kScalarItem, "cvf"},
    {"ArrayVariable::GetValue", Operation::kArrayGetValue, "cvi"},
    {"ArrayVariable::PutValue", Operation::kArrayPutValue, "cvit"},
    {"ArrayVariable::GetText", Operation::kArrayGetText, "cvi"},
    {"ArrayVariable::PutFlag", Operation::kArrayPutFlag, "cvin"},
    {"ArrayVariable::Mark", Operation::kArrayMark, "cvin"},
    {"ArrayVariable::GetCount", Operation::kArrayGetCount, "cv"},
    {"ScalarVariable::GetValue", Operation::kScalarGetValue, "cv"},
    {"ScalarVariable::PutValue", Operation::kScalarPutValue, "cvt"},
    {"ScalarVariable::PutFlag", Operation::kScalarPutFlag, "cvn"},
};

Collection CollectionOfGet(std::string_view name) {
  if (name.ends_with("ScalarInputs")) return Collection::kScalarInputs;
  if (name.ends_with("ArrayResults")) return Collection::kArrayResults;
  if (name.ends_with("ScalarResults")) return Collection::kScalarResults;
  return Collection::kArrayInputs;
}

}  // namespace

std::optional<ServerCall> ReadLogLine(std::string_view line) {
  const std::string_view name = line.substr(0, line.find('|'));
  ServerCall call;
  call.name = std::string(name);
  const Form* form = nullptr;
  for (const Form& f : kForms)
    if (name == f.name) form = &f;
  if (!form) {
    if (name.find("::") == std::string_view::npos) return std::nullopt;
    return call;  // an operation of a server's life, not of a run
  }
  call.operation = form->operation;
  if (form->operation == Operation::kGetCollection) call.collection = CollectionOfGet(name);

  const std::string_view kinds = form->fields;
  const std::vector<std::string_view> fields = Fields(line, kinds.size() + 1);
  if (fields.size() != kinds.size() + 1) return std::nullopt;
  for (std::size_t k = 0; k < kinds.size(); ++k) {
    const std::string_view field = fields[k + 1];
    switch (kinds[k]) {
      case 'c': {
        const auto collection = CollectionNamed(field);
        if (!collection) return std::nullopt;
        call.collection = *collection;
        break;
      }
      case 'v':
        call.variable = std::string(field);
        break;
      case 'i':
        if (!Number(field, call.index)) return std::nullopt;
        break;
      case 'n':
        if (!Number(field, call.number)) return std::nullopt;
        break;
      case 't':
        call.text = std::string(field);
        break;
      case 'f':
        if (field != "found" && field != "absent") return std::nullopt;
        break;
    }
  }
  return call;
}

std::map<std::string, int64_t> CountByOperation(const std::vector<ServerCall>& calls) {
  std::map<std::string, int64_t> counts;
  for (const ServerCall& c : calls) ++counts[c.name];
  return counts;
}

}  // namespace bench
