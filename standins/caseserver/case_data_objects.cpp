// The case data object and its four variable collections.
#include <string>

#include "include/holders.h"
#include "standins/caseserver/case_objects.h"
#include "standins/caseserver/dispatch_object.h"
#include "standins/caseserver/probe_state.h"

namespace {

// Looks a name up in one collection of the server's current case.
template <class Collection_, const IID* kIid, class Variable>
class VariablesObject final : public DispatchObject<Collection_, kIid> {
 public:
  VariablesObject(std::shared_ptr<ServerState> server, Collection collection, const char* op)
      : server_(std::move(server)), collection_(collection), operation_(op) {}

  // An absent name answers S_FALSE and a null variable.
  HRESULT STDMETHODCALLTYPE Item(BSTR name, Variable** variable) override {
    if (variable) *variable = nullptr;
    const std::string n = Bstr::ToAnsi(name);
    const bool found = server_->program_case && server_->program_case->Find(collection_, n);
    HRESULT hr =
        Arrive(*server_, operation_, CollectionName(collection_), n, found ? "found" : "absent");
    if (FAILED(hr)) return hr;
    if (!variable) return E_POINTER;
    if (!found) return S_FALSE;
    *variable = static_cast<Variable*>(VariableObjectOf(server_, collection_, n));
    return S_OK;
  }

 private:
  int ServerNumber() const override { return server_->number; }
  std::string ReleaseLine() const override {
    std::string line(operation_);
    line.replace(line.find("::") + 2, std::string::npos, "Release|");
    return line + std::string(CollectionName(collection_));
  }

  std::shared_ptr<ServerState> server_;
  Collection collection_;
  const char* operation_;
};

using ArrayVariablesObject = VariablesObject<ArrayVariables, &IID_ArrayVariables, ArrayVariable>;
using ScalarVariablesObject =
    VariablesObject<ScalarVariables, &IID_ScalarVariables, ScalarVariable>;

class CaseDataObject final : public DispatchObject<CaseData, &IID_CaseData> {
 public:
  explicit CaseDataObject(std::shared_ptr<ServerState> server) : server_(std::move(server)) {}

  HRESULT STDMETHODCALLTYPE GetArrayInputs(ArrayVariables** inputs) override {
    return Hand(inputs, "CaseData::GetArrayInputs", Collection::ArrayInputs);
  }
  HRESULT STDMETHODCALLTYPE GetScalarInputs(ScalarVariables** inputs) override {
    return Hand(inputs, "CaseData::GetScalarInputs", Collection::ScalarInputs);
  }
  HRESULT STDMETHODCALLTYPE GetArrayResults(ArrayVariables** results) override {
    return Hand(results, "CaseData::GetArrayResults", Collection::ArrayResults);
  }
  HRESULT STDMETHODCALLTYPE GetScalarResults(ScalarVariables** results) override {
    return Hand(results, "CaseData::GetScalarResults", Collection::ScalarResults);
  }

 private:
  int ServerNumber() const override { return server_->number; }
  std::string ReleaseLine() const override { return "CaseData::Release"; }

  template <class T>
  HRESULT Hand(T** out, const char* operation, Collection collection) {
    if (out) *out = nullptr;
    HRESULT hr = Arrive(*server_, operation);
    if (FAILED(hr)) return hr;
    if (!out) return E_POINTER;
    *out = static_cast<T*>(CollectionObjectOf(server_, collection));
    return S_OK;
  }

  std::shared_ptr<ServerState> server_;
};

}  // namespace

CaseData* CaseDataObjectOf(const std::shared_ptr<ServerState>& server) {
  IDispatch*& slot = server->case_data_object;
  if (!slot) slot = new CaseDataObject(server);
  slot->AddRef();
  return static_cast<CaseData*>(slot);
}

int CaseDataReferencesHeld(const ServerState& server) {
  if (!server.case_data_object) return -1;
  const auto* object =
      static_cast<const CaseDataObject*>(static_cast<const CaseData*>(server.case_data_object));
  // The server's own cache holds one of them.
  return static_cast<int>(object->references()) - 1;
}

IDispatch* CollectionObjectOf(const std::shared_ptr<ServerState>& server, Collection collection) {
  IDispatch*& slot = server->collection_objects[static_cast<int>(collection)];
  if (!slot) {
    if (IsScalar(collection))
      slot = new ScalarVariablesObject(server, collection, "ScalarVariables::Item");
    else
      slot = new ArrayVariablesObject(server, collection, "ArrayVariables::Item");
  }
  slot->AddRef();
  return slot;
}
