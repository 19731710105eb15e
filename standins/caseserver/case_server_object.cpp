// The case server object: one program case at a time, its files, its runs and
// the multi-case texts.
#include <initializer_list>
#include <string>

#include "include/holders.h"
#include "standins/caseserver/case_file.h"
#include "standins/caseserver/case_file_io.h"
#include "standins/caseserver/case_objects.h"
#include "standins/caseserver/case_server_probe.h"
#include "standins/caseserver/dispatch_object.h"
#include "standins/caseserver/probe_state.h"
#include "standins/caseserver/program_catalogue.h"
#include "standins/caseserver/rating_model.h"

namespace {

// What the server answers for a multi-case text: upper case and a mark of
// which text it was, so a caller sees that the round trip happened.
std::string MultiCaseAnswer(std::string text, char which) {
  for (char& ch : text)
    if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
  return text + '/' + which;
}

class CaseServerObject final : public DispatchObject<CaseServer, &IID_CaseServer> {
 public:
  explicit CaseServerObject(std::shared_ptr<ServerState> server) : server_(std::move(server)) {}
  ~CaseServerObject() override {
    Probe().Record(server_->number, "CaseServer::Release");
    server_->alive = false;
    server_->ReleaseObjects();
  }

  HRESULT STDMETHODCALLTYPE SetServerMode(short mode) override {
    HRESULT hr = Arrive(*server_, "CaseServer::SetServerMode", mode);
    if (SUCCEEDED(hr)) server_->server_mode = mode;
    return hr;
  }

  HRESULT STDMETHODCALLTYPE ShutDown() override {
    HRESULT hr = Arrive(*server_, "CaseServer::ShutDown");
    if (FAILED(hr)) return hr;
    if (server_->shut_down) return S_FALSE;
    server_->shut_down = true;
    server_->case_data_held_at_shut_down = CaseDataReferencesHeld(*server_);
    server_->case_open = false;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE OpenProgramCase(BSTR program, long first, long second,
                                            CaseData** data) override {
    if (data) *data = nullptr;
    const std::string name = Bstr::ToAnsi(program);
    HRESULT hr = Arrive(*server_, "CaseServer::OpenProgramCase", name, first, second);
    if (FAILED(hr)) return hr;
    if (!data) return E_POINTER;
    auto c = NewProgramCase(name);
    if (!c) return E_INVALIDARG;
    server_->program_case = std::move(*c);
    server_->case_open = true;
    *data = CaseDataObjectOf(server_);
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE SaveCaseFile(BSTR* path, short* option, long* status) override {
    const std::string file = path ? Bstr::ToAnsi(*path) : std::string();
    HRESULT hr = Arrive(*server_, "CaseServer::SaveCaseFile", file, option ? *option : 0);
    if (FAILED(hr)) return Failed(hr, {path});
    if (!path || !status) return E_POINTER;
    if (!server_->program_case) {
      *status = CASE_SAVE_NO_CASE;
      return S_OK;
    }
    if (!ReplaceFileContents(file, FormatCaseFile(*server_->program_case))) {
      *status = CASE_SAVE_NOT_WRITTEN;
      return S_OK;
    }
    Bstr written(FullPath(file));
    SysFreeString(*path);
    *path = written.release();
    *status = CASE_SAVE_DONE;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE LoadCaseFile(BSTR path, long option, long* status) override {
    const std::string file = Bstr::ToAnsi(path);
    HRESULT hr = Arrive(*server_, "CaseServer::LoadCaseFile", file, option);
    if (FAILED(hr)) return hr;
    if (!status) return E_POINTER;
    const auto bytes = ReadWholeFile(file);
    auto loaded = bytes ? ParseCaseFile(*bytes) : std::nullopt;
    if (loaded && IsPlateProgram(loaded->program())) {
      if (server_->program_case)
        server_->program_case->TakeOver(*loaded);
      else
        server_->program_case = std::move(*loaded);
      *status = CASE_LOAD_DONE;
    } else {
      // A case that cannot be read starts anew, so nothing of the case held
      // before passes for this file's.
      server_->program_case = NewProgramCase(kPlateProgram);
      *status = bytes ? CASE_LOAD_NOT_A_CASE_FILE : CASE_LOAD_NO_FILE;
    }
    server_->case_open = true;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE RunProgram(BSTR program, short option) override {
    const std::string name = Bstr::ToAnsi(program);
    HRESULT hr = Arrive(*server_, "CaseServer::RunProgram", name, option);
    if (FAILED(hr)) return hr;
    if (!IsPlateProgram(name)) return E_INVALIDARG;
    if (!server_->program_case) return E_UNEXPECTED;
    ++server_->runs;
    if (Probe().RatingModel()) RunRatingModel(*server_->program_case);
    Probe().CallRunHook(*server_);
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE CloseCase() override {
    HRESULT hr = Arrive(*server_, "CaseServer::CloseCase");
    if (FAILED(hr)) return hr;
    // The case's values stay with the server: the objects handed out keep
    // working, and a later save still writes what they hold.
    const bool was_open = server_->case_open;
    server_->case_open = false;
    return was_open ? S_OK : S_FALSE;
  }

  HRESULT STDMETHODCALLTYPE SetMultiCaseData(BSTR* first, BSTR* second) override {
    std::string texts[2] = {first ? Bstr::ToAnsi(*first) : std::string(),
                            second ? Bstr::ToAnsi(*second) : std::string()};
    HRESULT hr = Arrive(*server_, "CaseServer::SetMultiCaseData", texts[0], texts[1]);
    if (FAILED(hr)) return Failed(hr, {first, second});
    if (!first || !second) return E_POINTER;
    server_->multi_case[0] = texts[0];
    server_->multi_case[1] = texts[1];
    BSTR* slots[2] = {first, second};
    for (int i = 0; i < 2; ++i) {
      Bstr answer(MultiCaseAnswer(texts[i], static_cast<char>('1' + i)));
      SysFreeString(*slots[i]);
      *slots[i] = answer.release();
    }
    return S_OK;
  }

 private:
  int ServerNumber() const override { return server_->number; }
  std::string ReleaseLine() const override { return "CaseServer::Release"; }

  // A planned failure of a call with in-and-out texts answers them empty, as
  // a server failing halfway may; the caller must not take them for answers.
  static HRESULT Failed(HRESULT hr, std::initializer_list<BSTR*> texts) {
    if (hr == E_FAIL)
      for (BSTR* t : texts)
        if (t) {
          SysFreeString(*t);
          *t = nullptr;
        }
    return hr;
  }

  std::shared_ptr<ServerState> server_;
};

}  // namespace

CaseServer* NewCaseServerObject(std::shared_ptr<ServerState> server) {
  return new CaseServerObject(std::move(server));
}
