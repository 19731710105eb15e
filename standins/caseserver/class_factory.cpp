// The server's class object and the module's COM exports.
#include <memory>
#include <string>
#include <string_view>

#include "standins/caseserver/case_objects.h"
#include "standins/caseserver/dispatch_object.h"
#include "standins/caseserver/probe_state.h"

namespace {

std::atomic<long> server_locks{0};

class ClassFactory final : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IClassFactory) {
      *out = static_cast<IClassFactory*>(this);
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  // The class object lives as long as the module.
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    constexpr std::string_view kOperation = "ClassFactory::CreateInstance";
    if (Probe().RaisePlanned(kOperation) || Probe().TakeFailure(kOperation)) {
      // No server yet: the line belongs to none.
      Probe().Record(0, std::string(kOperation));
      Probe().RaiseIfPlanned(kOperation);
      return E_FAIL;
    }
    if (outer) return CLASS_E_NOAGGREGATION;
    auto state = std::make_shared<ServerState>();
    CaseServer* server = NewCaseServerObject(state);
    HRESULT hr = server->QueryInterface(riid, out);
    {
      // The creation's own reference, which the caller never had.
      const OwnReleases own;
      server->Release();
    }
    if (SUCCEEDED(hr)) {
      Probe().Register(state);
      Probe().Record(state->number, "ClassFactory::CreateInstance");
    }
    return hr;
  }

  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    if (lock)
      ++server_locks;
    else
      --server_locks;
    return S_OK;
  }
};

ClassFactory class_factory;

}  // namespace

std::atomic<long>& LiveObjectCount() {
  static std::atomic<long> count{0};
  return count;
}

extern "C" HRESULT __stdcall DllGetClassObject(REFCLSID clsid, REFIID riid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (clsid != CLSID_CaseServer) return CLASS_E_CLASSNOTAVAILABLE;
  return class_factory.QueryInterface(riid, out);
}

extern "C" HRESULT __stdcall DllCanUnloadNow() {
  return LiveObjectCount() == 0 && server_locks == 0 ? S_OK : S_FALSE;
}
