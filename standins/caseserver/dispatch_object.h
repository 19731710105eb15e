// The IUnknown and IDispatch part every object of the server shares.
//
// The interfaces are called through their tables only, so IDispatch is
// minimal: no type information, no names, no late-bound calls.
#pragma once

#include <oaidl.h>
#include <windows.h>

#include <atomic>
#include <string>

// Objects alive in this module, for DllCanUnloadNow.
std::atomic<long>& LiveObjectCount();

// Puts a caller's release into the probe's release log as
// "<release line>|<references left>", unless the server is releasing a
// reference of its own.
void RecordRelease(int server, const std::string& release_line, unsigned long left);

// While one lives, the releases made are the server's own (its cache of
// handed-out objects, a reference taken while creating one): no caller made
// them, and the release log leaves them out.
class OwnReleases {
 public:
  OwnReleases();
  ~OwnReleases();
  OwnReleases(const OwnReleases&) = delete;
  OwnReleases& operator=(const OwnReleases&) = delete;
};

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
    RecordRelease(ServerNumber(), ReleaseLine(), left);
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

  // The probe's number of the server the object belongs to, and the object
  // as its release log names it ("CaseData::Release",
  // "ArrayVariable::Release|ArrayInputs|FlowRate").
  virtual int ServerNumber() const = 0;
  virtual std::string ReleaseLine() const = 0;

 private:
  std::atomic<ULONG> references_{1};
};
