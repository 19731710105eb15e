// One object per case variable. It names its variable and finds it in the
// server's current case at every call, so it stays valid across case loads.
#include <string>

#include "case_objects.h"
#include "dispatch_object.h"
#include "holders.h"
#include "probe_state.h"

namespace {

class VariableReference {
 protected:
  VariableReference(std::shared_ptr<ServerState> server, Collection collection,
                    std::string_view name)
      : server_(std::move(server)), collection_(collection), name_(name) {}

  std::string_view collection_name() const { return CollectionName(collection_); }

  HRESULT Entry(int index, CaseEntry*& entry, CaseVariable** variable = nullptr) {
    CaseVariable* v =
        server_->program_case ? server_->program_case->Find(collection_, name_) : nullptr;
    if (!v) return CASE_E_NO_VARIABLE;
    if (variable) *variable = v;
    entry = v->entry(index);
    return entry ? S_OK : DISP_E_BADINDEX;
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
    if (text) *text = nullptr;
    HRESULT hr = Arrive(*server_, "ArrayVariable::GetValue", collection_name(), name_, index);
    CaseEntry* e = nullptr;
    if (SUCCEEDED(hr)) hr = Entry(index, e);
    if (FAILED(hr)) return hr;
    return PutOutText(text, e->value);
  }

  HRESULT STDMETHODCALLTYPE PutValue(short index, BSTR text) override {
    const std::string value = Bstr::ToAnsi(text);
    HRESULT hr =
        Arrive(*server_, "ArrayVariable::PutValue", collection_name(), name_, index, value);
    CaseEntry* e = nullptr;
    if (SUCCEEDED(hr)) hr = Entry(index, e);
    if (FAILED(hr)) return hr;
    e->value = value;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE GetText(short index, BSTR* text) override {
    if (text) *text = nullptr;
    HRESULT hr = Arrive(*server_, "ArrayVariable::GetText", collection_name(), name_, index);
    CaseEntry* e = nullptr;
    if (SUCCEEDED(hr)) hr = Entry(index, e);
    if (FAILED(hr)) return hr;
    return PutOutText(text, e->text);
  }

  HRESULT STDMETHODCALLTYPE PutFlag(short index, int64_t flag) override {
    HRESULT hr = Arrive(*server_, "ArrayVariable::PutFlag", collection_name(), name_, index, flag);
    CaseEntry* e = nullptr;
    if (SUCCEEDED(hr)) hr = Entry(index, e);
    if (FAILED(hr)) return hr;
    e->flag = flag;
    return S_OK;
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
    const CaseVariable* v =
        server_->program_case ? server_->program_case->Find(collection_, name_) : nullptr;
    if (!v) return CASE_E_NO_VARIABLE;
    if (!count) return E_POINTER;
    *count = static_cast<short>(v->count());
    return S_OK;
  }
};

class ScalarVariableObject final : public DispatchObject<ScalarVariable, &IID_ScalarVariable>,
                                   VariableReference {
 public:
  ScalarVariableObject(std::shared_ptr<ServerState> server, Collection collection,
                       std::string_view name)
      : VariableReference(std::move(server), collection, name) {}

  HRESULT STDMETHODCALLTYPE GetValue(BSTR* text) override {
    if (text) *text = nullptr;
    HRESULT hr = Arrive(*server_, "ScalarVariable::GetValue", collection_name(), name_);
    CaseEntry* e = nullptr;
    if (SUCCEEDED(hr)) hr = Entry(1, e);
    if (FAILED(hr)) return hr;
    return PutOutText(text, e->value);
  }

  HRESULT STDMETHODCALLTYPE PutValue(BSTR text) override {
    const std::string value = Bstr::ToAnsi(text);
    HRESULT hr = Arrive(*server_, "ScalarVariable::PutValue", collection_name(), name_, value);
    CaseEntry* e = nullptr;
    if (SUCCEEDED(hr)) hr = Entry(1, e);
    if (FAILED(hr)) return hr;
    e->value = value;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE PutFlag(int64_t flag) override {
    HRESULT hr = Arrive(*server_, "ScalarVariable::PutFlag", collection_name(), name_, flag);
    CaseEntry* e = nullptr;
    if (SUCCEEDED(hr)) hr = Entry(1, e);
    if (FAILED(hr)) return hr;
    e->flag = flag;
    return S_OK;
  }
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
