// A small case behind the server's interfaces, for tests of the exchange:
// named variables in the four collections, and every call the library makes
// written to one log as a line such as "PutValue FlowRate 1 [  1.5...]".
//
// The objects live as long as the FakeCase; their reference counts are kept
// so that a test can see every reference handed out given back.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "include/case_server.h"
#include "include/holders.h"
#include "tests/common/fake_dispatch.h"

template <class I>
using FakeDispatch = DispatchStub<I>;

using CallLog = std::vector<std::string>;

inline BSTR NewBstr(const std::string& text) { return Bstr(text).release(); }

struct FakeArrayVariable final : FakeDispatch<ArrayVariable> {
  FakeArrayVariable(CallLog& l, std::string n) : log(l), name(std::move(n)) {}
  HRESULT STDMETHODCALLTYPE GetValue(short index, BSTR* text) override {
    log.push_back("GetValue " + name + " " + std::to_string(index));
    return Answer(values, index, text);
  }
  HRESULT STDMETHODCALLTYPE PutValue(short index, BSTR text) override {
    log.push_back("PutValue " + name + " " + std::to_string(index) + " [" + Bstr::ToAnsi(text) +
                  "]" + (text ? "" : " null"));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetText(short index, BSTR* text) override {
    log.push_back("GetText " + name + " " + std::to_string(index));
    return Answer(lines, index, text);
  }
  HRESULT STDMETHODCALLTYPE PutFlag(short index, int64_t flag) override {
    log.push_back("PutFlag " + name + " " + std::to_string(index) + " " + std::to_string(flag));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Mark(short index, short option) override {
    log.push_back("Mark " + name + " " + std::to_string(index) + " " + std::to_string(option));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetCount(short* n) override {
    log.push_back("GetCount " + name);
    *n = count;
    return S_OK;
  }

  // An index without an entry fails the call and leaves the out text null.
  static HRESULT Answer(const std::map<short, std::string>& entries, short index, BSTR* text) {
    const auto it = entries.find(index);
    *text = it == entries.end() ? nullptr : NewBstr(it->second);
    return it == entries.end() ? E_FAIL : S_OK;
  }

  CallLog& log;
  std::string name;
  std::map<short, std::string> values;  // what GetValue answers
  std::map<short, std::string> lines;   // what GetText answers
  short count = 0;
};

struct FakeScalarVariable final : FakeDispatch<ScalarVariable> {
  FakeScalarVariable(CallLog& l, std::string n) : log(l), name(std::move(n)) {}
  HRESULT STDMETHODCALLTYPE GetValue(BSTR* text) override {
    log.push_back("GetValue " + name);
    *text = NewBstr(value);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE PutValue(BSTR text) override {
    log.push_back("PutValue " + name + " [" + Bstr::ToAnsi(text) + "]");
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE PutFlag(int64_t flag) override {
    log.push_back("PutFlag " + name + " " + std::to_string(flag));
    return S_OK;
  }

  CallLog& log;
  std::string name;
  std::string value;  // what GetValue answers
};

template <class Collection, class Variable, class Fake>
struct FakeCollection : FakeDispatch<Collection> {
  FakeCollection(CallLog& l, std::string w) : log(l), which(std::move(w)) {}
  HRESULT STDMETHODCALLTYPE Item(BSTR name, Variable** variable) override {
    const std::string n = Bstr::ToAnsi(name);
    log.push_back("Item " + which + " " + n);
    const auto it = variables.find(n);
    *variable = it == variables.end() ? nullptr : it->second.get();
    if (*variable) (*variable)->AddRef();
    return S_OK;
  }
  Fake& Add(const std::string& name) {
    auto& v = variables[name];
    v = std::make_unique<Fake>(log, name);
    return *v;
  }

  CallLog& log;
  std::string which;
  std::map<std::string, std::unique_ptr<Fake>> variables;
};

using FakeArrayCollection = FakeCollection<ArrayVariables, ArrayVariable, FakeArrayVariable>;
using FakeScalarCollection = FakeCollection<ScalarVariables, ScalarVariable, FakeScalarVariable>;

struct FakeCase : FakeDispatch<CaseData> {
  HRESULT STDMETHODCALLTYPE GetArrayInputs(ArrayVariables** out) override {
    return Hand("ArrayInputs", array_inputs, out);
  }
  HRESULT STDMETHODCALLTYPE GetScalarInputs(ScalarVariables** out) override {
    return Hand("ScalarInputs", scalar_inputs, out);
  }
  HRESULT STDMETHODCALLTYPE GetArrayResults(ArrayVariables** out) override {
    return Hand("ArrayResults", array_results, out);
  }
  HRESULT STDMETHODCALLTYPE GetScalarResults(ScalarVariables** out) override {
    return Hand("ScalarResults", scalar_results, out);
  }

  template <class C, class I>
  HRESULT Hand(const char* which, C& collection, I** out) {
    log.push_back(which);
    collection.AddRef();
    *out = &collection;
    return S_OK;
  }

  // Every reference handed out has come back.
  bool AllReleased() const {
    bool all = refs == 1 && array_inputs.refs == 1 && scalar_inputs.refs == 1 &&
               array_results.refs == 1 && scalar_results.refs == 1;
    for (const auto* c : {&array_inputs, &array_results})
      for (const auto& [n, v] : c->variables) all = all && v->refs == 1;
    for (const auto* c : {&scalar_inputs, &scalar_results})
      for (const auto& [n, v] : c->variables) all = all && v->refs == 1;
    return all;
  }

  CallLog log;
  FakeArrayCollection array_inputs{log, "ArrayInputs"};
  FakeScalarCollection scalar_inputs{log, "ScalarInputs"};
  FakeArrayCollection array_results{log, "ArrayResults"};
  FakeScalarCollection scalar_results{log, "ScalarResults"};
};
