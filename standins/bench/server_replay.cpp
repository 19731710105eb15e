#include "standins/bench/server_replay.h"

#include <map>
#include <string>
#include <utility>

namespace bench {

ServerReplay::ServerReplay(const std::vector<std::vector<ServerCall>>& parts) {
  std::map<std::pair<int, std::string>, std::size_t> array_slots, scalar_slots;
  auto slot = [](auto& slots, int collection, const std::string& name) {
    return slots.try_emplace({collection, name}, slots.size()).first->second;
  };
  for (const std::vector<ServerCall>& calls : parts) {
    std::vector<Step>& steps = parts_.emplace_back();
    for (const ServerCall& call : calls) {
      if (call.operation == Operation::kOther) continue;
      const int c = static_cast<int>(call.collection);
      Step step{call.operation, c, 0, static_cast<short>(call.index), call.number, {}, Bstr()};
      switch (call.operation) {
        case Operation::kLoadCaseFile:
        case Operation::kSaveCaseFile:
        case Operation::kRunProgram:
          step.ansi = call.variable;
          break;
        case Operation::kArrayItem:
          step.slot = slot(array_slots, c, call.variable);
          step.ansi = call.variable;
          break;
        case Operation::kScalarItem:
          step.slot = slot(scalar_slots, c, call.variable);
          step.ansi = call.variable;
          break;
        case Operation::kScalarGetValue:
        case Operation::kScalarPutValue:
        case Operation::kScalarPutFlag:
          step.slot = slot(scalar_slots, c, call.variable);
          step.ansi = call.text;
          break;
        case Operation::kCloseCase:
        case Operation::kGetCollection:
          break;
        default:  // the array variable operations
          step.slot = slot(array_slots, c, call.variable);
          step.ansi = call.text;
          break;
      }
      step.text.reset(step.ansi);
      steps.push_back(std::move(step));
    }
  }
  arrays_.resize(array_slots.size());
  scalars_.resize(scalar_slots.size());
}

HRESULT ServerReplay::Open() {
  HRESULT hr = CoCreateInstance(CLSID_CaseServer, nullptr, kCaseServerContext, IID_CaseServer,
                                reinterpret_cast<void**>(server_.out()));
  if (FAILED(hr)) return hr;
  server_->SetServerMode(3);
  const Bstr program("Vodi");
  return server_->OpenProgramCase(program.get(), 1, 1, data_.out());
}

void ServerReplay::Run(std::size_t part) {
  for (Step& s : parts_[part]) Make(s);
}

void ServerReplay::Make(Step& s) {
  long status = 0;
  const BSTR text = s.text.get();
  switch (s.operation) {
    case Operation::kLoadCaseFile:
      server_->LoadCaseFile(text, static_cast<long>(s.index), &status);
      break;
    case Operation::kSaveCaseFile: {
      Bstr path(s.ansi);
      short option = s.index;
      server_->SaveCaseFile(path.inout(), &option, &status);
      break;
    }
    case Operation::kRunProgram:
      server_->RunProgram(text, s.index);
      break;
    case Operation::kCloseCase:
      server_->CloseCase();
      break;
    case Operation::kGetCollection:
      switch (s.collection) {
        case 0:
          data_->GetArrayInputs(array_collections_[0].out());
          break;
        case 1:
          data_->GetScalarInputs(scalar_collections_[1].out());
          break;
        case 2:
          data_->GetArrayResults(array_collections_[2].out());
          break;
        default:
          data_->GetScalarResults(scalar_collections_[3].out());
          break;
      }
      break;
    case Operation::kArrayItem:
      if (auto& c = array_collections_[s.collection]) c->Item(text, arrays_[s.slot].out());
      break;
    case Operation::kScalarItem:
      if (auto& c = scalar_collections_[s.collection]) c->Item(text, scalars_[s.slot].out());
      break;
    case Operation::kArrayGetValue:
      if (auto& v = arrays_[s.slot]) v->GetValue(s.index, answer_.out());
      break;
    case Operation::kArrayPutValue:
      if (auto& v = arrays_[s.slot]) v->PutValue(s.index, text);
      break;
    case Operation::kArrayGetText:
      if (auto& v = arrays_[s.slot]) v->GetText(s.index, answer_.out());
      break;
    case Operation::kArrayPutFlag:
      if (auto& v = arrays_[s.slot]) v->PutFlag(s.index, s.number);
      break;
    case Operation::kArrayMark:
      if (auto& v = arrays_[s.slot]) v->Mark(s.index, static_cast<short>(s.number));
      break;
    case Operation::kArrayGetCount: {
      short count = 0;
      if (auto& v = arrays_[s.slot]) v->GetCount(&count);
      break;
    }
    case Operation::kScalarGetValue:
      if (auto& v = scalars_[s.slot]) v->GetValue(answer_.out());
      break;
    case Operation::kScalarPutValue:
      if (auto& v = scalars_[s.slot]) v->PutValue(text);
      break;
    case Operation::kScalarPutFlag:
      if (auto& v = scalars_[s.slot]) v->PutFlag(s.number);
      break;
    case Operation::kOther:
      break;
  }
}

void ServerReplay::Close() {
  for (auto& v : arrays_) v.reset();
  for (auto& v : scalars_) v.reset();
  for (auto& c : array_collections_) c.reset();
  for (auto& c : scalar_collections_) c.reset();
  data_.reset();
  if (server_) server_->ShutDown();
  server_.reset();
}

}  // namespace bench
