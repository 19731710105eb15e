// The IUnknown and IDispatch part every object of the server shares.
//
// The interfaces are called through their tables only, so IDispatch is
// minimal: no type information, no names, no late-bound calls.
#pragma once

#include <oaidl.h>
#include <windows.h>

#include <atomic>

// Objects alive in this module, for DllCanUnloadNow.
std::atomic<long>& LiveObjectCount();

// Ends the process with CASE_SERVER_CALLED_AFTER_DETACH when the module has
// already been detached: its objects are not there to be called any more.
void EnsureModuleAttached();

template <class Interface, const IID* kInterfaceId>
class DispatchObject : public Interface {
 public:
  DispatchObject(const DispatchObject&) = delete;
  DispatchObject& operator=(const DispatchObject&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == *kInterfaceId) {
      *out = static_cast<Interface*>(this);
      this->AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override {
    EnsureModuleAttached();
    return ++references_;
  }
  ULONG STDMETHODCALLTYPE Release() override {
    EnsureModuleAttached();
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  // For the probe: the references the object holds now.
  ULONG references() const { return references_; }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    if (info) *info = nullptr;
    return DISP_E_BADINDEX;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR*, UINT count, LCID,
                                          DISPID* ids) override {
    if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    if (ids)
      for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID riid, LCID, WORD, DISPPARAMS*, VARIANT*,
                                   EXCEPINFO*, UINT*) override {
    if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    return DISP_E_MEMBERNOTFOUND;
  }

 protected:
  DispatchObject() { ++LiveObjectCount(); }
  virtual ~DispatchObject() { --LiveObjectCount(); }

 private:
  std::atomic<ULONG> references_{1};
};
