// The case server's automation interfaces (an in-process COM server).
//
// Six dual interfaces; their operations stand in table order after IDispatch's.
// Texts cross as BSTRs; indices are 16-bit and count from 1.
#pragma once

#include <oaidl.h>
#include <windows.h>

#include <cstdint>

// {C36DF73D-7697-4C46-8EBD-66CB311F73B7}
inline constexpr CLSID CLSID_CaseServer = {
    0xc36df73d, 0x7697, 0x4c46, {0x8e, 0xbd, 0x66, 0xcb, 0x31, 0x1f, 0x73, 0xb7}};
// {B9A15139-0F11-4E98-A0B1-D3CE80BE4338}
inline constexpr IID IID_CaseServer = {
    0xb9a15139, 0x0f11, 0x4e98, {0xa0, 0xb1, 0xd3, 0xce, 0x80, 0xbe, 0x43, 0x38}};
// {8625C4CD-7940-4931-B266-2F3009C2276D}
inline constexpr IID IID_CaseData = {
    0x8625c4cd, 0x7940, 0x4931, {0xb2, 0x66, 0x2f, 0x30, 0x09, 0xc2, 0x27, 0x6d}};
// {1A16076A-9365-4AAF-98BD-54A2C2769A04}
inline constexpr IID IID_ArrayVariables = {
    0x1a16076a, 0x9365, 0x4aaf, {0x98, 0xbd, 0x54, 0xa2, 0xc2, 0x76, 0x9a, 0x04}};
// {51F2F0D2-A0E7-4050-9B67-D7B9015B039C}
inline constexpr IID IID_ScalarVariables = {
    0x51f2f0d2, 0xa0e7, 0x4050, {0x9b, 0x67, 0xd7, 0xb9, 0x01, 0x5b, 0x03, 0x9c}};
// {985214E9-6FCE-4BC8-BEC2-8F29E99B0B14}
inline constexpr IID IID_ArrayVariable = {
    0x985214e9, 0x6fce, 0x4bc8, {0xbe, 0xc2, 0x8f, 0x29, 0xe9, 0x9b, 0x0b, 0x14}};
// {9C1969C1-252B-43A6-9E17-3E5C952A91E3}
inline constexpr IID IID_ScalarVariable = {
    0x9c1969c1, 0x252b, 0x43a6, {0x9e, 0x17, 0x3e, 0x5c, 0x95, 0x2a, 0x91, 0xe3}};

// The class context the library creates the server with: in-process server,
// in-process handler and local server.
inline constexpr DWORD kCaseServerContext = 7;

// The status words of CaseServer::LoadCaseFile.
enum {
  CASE_LOAD_DONE = 0,
  // No file could be read at the path: the server starts a new case of the
  // program, every variable blank, so no value of an earlier case lingers.
  CASE_LOAD_NO_FILE = 1,
  // The file is not a complete case file of the program: a new case as above.
  CASE_LOAD_NOT_A_CASE_FILE = 2
};

// The status words of CaseServer::SaveCaseFile.
enum {
  CASE_SAVE_DONE = 0,
  // The file could not be written; a file already there is left as it was.
  CASE_SAVE_NOT_WRITTEN = 1,
  // The server holds no case: nothing written.
  CASE_SAVE_NO_CASE = 2
};

struct CaseData;
struct ArrayVariables;
struct ScalarVariables;
struct ArrayVariable;
struct ScalarVariable;

struct CaseServer : IDispatch {
  virtual HRESULT STDMETHODCALLTYPE SetServerMode(short mode) = 0;
  virtual HRESULT STDMETHODCALLTYPE ShutDown() = 0;
  virtual HRESULT STDMETHODCALLTYPE OpenProgramCase(BSTR program, long first, long second,
                                                    CaseData** data) = 0;
  // The path comes back as the server wrote it.
  virtual HRESULT STDMETHODCALLTYPE SaveCaseFile(BSTR* path, short* option, long* status) = 0;
  virtual HRESULT STDMETHODCALLTYPE LoadCaseFile(BSTR path, long option, long* status) = 0;
  virtual HRESULT STDMETHODCALLTYPE RunProgram(BSTR program, short option) = 0;
  virtual HRESULT STDMETHODCALLTYPE CloseCase() = 0;
  virtual HRESULT STDMETHODCALLTYPE SetMultiCaseData(BSTR* first, BSTR* second) = 0;
};

struct CaseData : IDispatch {
  virtual HRESULT STDMETHODCALLTYPE GetArrayInputs(ArrayVariables** inputs) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetScalarInputs(ScalarVariables** inputs) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetArrayResults(ArrayVariables** results) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetScalarResults(ScalarVariables** results) = 0;
};

struct ArrayVariables : IDispatch {
  // *variable is null when the case has no variable of that name.
  virtual HRESULT STDMETHODCALLTYPE Item(BSTR name, ArrayVariable** variable) = 0;
};

struct ScalarVariables : IDispatch {
  // *variable is null when the case has no variable of that name.
  virtual HRESULT STDMETHODCALLTYPE Item(BSTR name, ScalarVariable** variable) = 0;
};

struct ArrayVariable : IDispatch {
  virtual HRESULT STDMETHODCALLTYPE GetValue(short index, BSTR* text) = 0;
  virtual HRESULT STDMETHODCALLTYPE PutValue(short index, BSTR text) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetText(short index, BSTR* text) = 0;
  // 1 given, 0 not given.
  virtual HRESULT STDMETHODCALLTYPE PutFlag(short index, int64_t flag) = 0;
  // (-1, 0) resets the whole variable and leaves it to the program.
  virtual HRESULT STDMETHODCALLTYPE Mark(short index, short option) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetCount(short* count) = 0;
};

struct ScalarVariable : IDispatch {
  virtual HRESULT STDMETHODCALLTYPE GetValue(BSTR* text) = 0;
  virtual HRESULT STDMETHODCALLTYPE PutValue(BSTR text) = 0;
  virtual HRESULT STDMETHODCALLTYPE PutFlag(int64_t flag) = 0;
};
