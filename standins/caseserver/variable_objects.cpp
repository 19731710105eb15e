// One object per case variable. It names its variable and finds it in the
// server's current case at every call, so it stays valid across case loads.
#include <string>

#include "include/holders.h"
#include "standins/caseserver/case_objects.h"
#include "standins/caseserver/dispatch_object.h"
#include "standins/caseserver/probe_state.h"

namespace {

class VariableReference {
 protected:
  VariableReference(std::shared_ptr<ServerState> server, Collection collection,
                    std::string_view name)
      : server_(std::move(server)), collection_(collection), name_(name) {}

  std::string_view collection_name() const { return CollectionName(collection_); }

  // "ArrayVariable::Release|ArrayInputs|FlowRate" for the interface named.
  std::string ReleaseLineOf(std::string_view interface_name) const {
    std::string line(interface_name);
    line += "::Release|";
    line += collection_name();
    return line + '|' + name_;
  }

  CaseVariable* Variable() const {
    return server_->program_case ? server_->program_case->Find(collection_, name_) : nullptr;
  }

  HRESULT Entry(int index, CaseEntry*& entry, CaseVariable** variable = nullptr) {
    CaseVariable* v = Variable();
    if (!v) return CASE_E_NO_VARIABLE;
    if (variable) *variable = v;
    entry = v->entry(index);
    return entry ? S_OK : DISP_E_BADINDEX;
  }

  // Logs the operation, finds the entry and lets `act` do the rest.
  template <class Act, class... Fields>
  HRESULT Serve(int index, Act act, std::string_view operation, const Fields&... fields) {
    HRESULT hr = Arrive(*server_, operation, collection_name(), name_, fields...);
    CaseEntry* e = nullptr;
    if (SUCCEEDED(hr)) hr = Entry(index, e);
    return FAILED(hr) ? hr : act(*e);
  }
  template <class... Fields>
  HRESULT Answer(int index, BSTR* out, std::string CaseEntry::*field, std::string_view operation,
                 const Fields&... fields) {
    if (out) *out = nullptr;
    return Serve(
        index, [&](CaseEntry& e) { return PutOutText(out, e.*field); }, operation, fields...);
  }
  template <class T, class... Fields>
  HRESULT Store(int index, T CaseEntry::*field, const T& value, std::string_view operation,
                const Fields&... fields) {
    return Serve(
        index, [&](CaseEntry& e) { return e.*field = value, S_OK; }, operation, fields...);
  }

  std::shared_ptr<ServerState> server_;
  Collection collection_;
  std::string name_;
};

class ArrayVariableObject final : public DispatchObject<ArrayVariable, &IID_ArrayVariable>,
                                  VariableReference {
 public:
  ArrayVariableObject(std::shared_ptr<ServerState> server, Collection collection,
                      std::string_view name)
      : VariableReference(std::move(server), collection, name) {}

  HRESULT STDMETHODCALLTYPE GetValue(short index, BSTR* text) override {
    return Answer(index, text, &CaseEntry::value, "ArrayVariable::GetValue", index);
  }

  HRESULT STDMETHODCALLTYPE PutValue(short index, BSTR text) override {
    const std::string value = Bstr::ToAnsi(text);
    return Store(index, &CaseEntry::value, value, "ArrayVariable::PutValue", index, value);
  }

  HRESULT STDMETHODCALLTYPE GetText(short index, BSTR* text) override {
    return Answer(index, text, &CaseEntry::text, "ArrayVariable::GetText", index);
  }

  HRESULT STDMETHODCALLTYPE PutFlag(short index, int64_t flag) override {
    return Store(index, &CaseEntry::flag, flag, "ArrayVariable::PutFlag", index, flag);
  }

  // Index -1 resets every entry, an index in range that entry alone; each
  // accepted mark is counted. The option is recorded and has no further meaning.
  HRESULT STDMETHODCALLTYPE Mark(short index, short option) override {
    HRESULT hr = Arrive(*server_, "ArrayVariable::Mark", collection_name(), name_, index, option);
    if (FAILED(hr)) return hr;
    CaseEntry* e = nullptr;
    CaseVariable* v = nullptr;
    hr = Entry(index == -1 ? 1 : index, e, &v);
    if (!v) return hr;
    if (index == -1)
      v->Clear();
    else if (e)
      *e = CaseEntry{};
    else
      return DISP_E_BADINDEX;
    ++v->marks;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE GetCount(short* count) override {
    if (count) *count = 0;
    HRESULT hr = Arrive(*server_, "ArrayVariable::GetCount", collection_name(), name_);
    if (FAILED(hr)) return hr;
    const CaseVariable* v = Variable();
    if (!v) return CASE_E_NO_VARIABLE;
    if (!count) return E_POINTER;
    *count = static_cast<short>(v->count());
    return S_OK;
  }

 private:
  int ServerNumber() const override { return server_->number; }
  std::string ReleaseLine() const override { return ReleaseLineOf("ArrayVariable"); }
};

// A scalar is a variable of one entry.
class ScalarVariableObject final : public DispatchObject<ScalarVariable, &IID_ScalarVariable>,
                                   VariableReference {
 public:
  ScalarVariableObject(std::shared_ptr<ServerState> server, Collection collection,
                       std::string_view name)
      : VariableReference(std::move(server), collection, name) {}

  HRESULT STDMETHODCALLTYPE GetValue(BSTR* text) override {
    return Answer(1, text, &CaseEntry::value, "ScalarVariable::GetValue");
  }

  HRESULT STDMETHODCALLTYPE PutValue(BSTR text) override {
    const std::string value = Bstr::ToAnsi(text);
    return Store(1, &CaseEntry::value, value, "ScalarVariable::PutValue", value);
  }

  HRESULT STDMETHODCALLTYPE PutFlag(int64_t flag) override {
    return Store(1, &CaseEntry::flag, flag, "ScalarVariable::PutFlag", flag);
  }

 private:
  int ServerNumber() const override { return server_->number; }
  std::string ReleaseLine() const override { return ReleaseLineOf("ScalarVariable"); }
};

}  // namespace

IDispatch* VariableObjectOf(const std::shared_ptr<ServerState>& server, Collection collection,
                            std::string_view name) {
  IDispatch*& slot = server->variable_objects[{collection, std::string(name)}];
  if (!slot) {
    if (IsScalar(collection))
      slot = new ScalarVariableObject(server, collection, name);
    else
      slot = new ArrayVariableObject(server, collection, name);
  }
  slot->AddRef();
  return slot;
}

HRESULT PutOutText(BSTR* out, std::string_view text) {
  if (!out) return E_POINTER;
  *out = Bstr(text).release();
  return *out ? S_OK : E_OUTOFMEMORY;
}
