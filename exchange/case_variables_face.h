// The ways every exchange routine moves a number between its working values
// and the case's named variables: take a collection from the connection's
// CaseData, look a variable up by name, put a value as text followed by its
// given flag at the same index, blank an entry, mark a whole variable, or get
// a value, a text line or a count.
//
// Names go to the server without their trailing blanks. Collections and
// variables are held by ComPtr for the time of one routine's call and
// released with it; none is kept beyond the call, so none outlives the
// server. A null case data, a null collection or a variable that the case
// lacks makes every operation here do nothing: a put or a mark is skipped, a
// get leaves the working value as it was.
#pragma once

#include <cstdint>
#include <string_view>

#include "exchange/value_text.h"
#include "include/case_server.h"
#include "include/holders.h"

// The index of a two-sided variable; indices count from 1.
inline constexpr int16_t HOT_SIDE = 1;
inline constexpr int16_t COLD_SIDE = 2;

// The four collections, taken from the caller's variable that holds the
// connection's CaseData (read, never changed). Null when either is null.
ComPtr<ArrayVariables> GetArrayInputs(CaseData* const* case_data);
ComPtr<ScalarVariables> GetScalarInputs(CaseData* const* case_data);
ComPtr<ArrayVariables> GetArrayResults(CaseData* const* case_data);
ComPtr<ScalarVariables> GetScalarResults(CaseData* const* case_data);

// The variable of that name, or null when the case has none.
ComPtr<ArrayVariable> FindVariable(ArrayVariables* collection, std::string_view name);
ComPtr<ScalarVariable> FindVariable(ScalarVariables* collection, std::string_view name);

// Putting. A number is written into the value text and put, then the given
// flag at the same index. Each call by name looks the variable up itself; the
// calls on a variable serve a routine that looks it up once for several
// indices.
void PutIndexedReal(ArrayVariables* inputs, std::string_view name, int16_t index, double value,
                    int64_t given_flag);
void PutIndexedInteger(ArrayVariables* inputs, std::string_view name, int16_t index, int64_t value,
                       int64_t given_flag);
// A text of its own, not a number: the curve header's "4".
void PutIndexedText(ArrayVariables* inputs, std::string_view name, int16_t index,
                    std::string_view text, int64_t given_flag);
void PutIndexedReal(ArrayVariable* variable, int16_t index, double value, int64_t given_flag);
void PutIndexedInteger(ArrayVariable* variable, int16_t index, int64_t value, int64_t given_flag);
void PutIndexedText(ArrayVariable* variable, int16_t index, std::string_view text,
                    int64_t given_flag);

// A scalar value always carries the given flag 1.
void PutScalarReal(ScalarVariables* inputs, std::string_view name, double value);
void PutScalarInteger(ScalarVariables* inputs, std::string_view name, int64_t value);
void PutScalarReal(ScalarVariable* variable, double value);
void PutScalarInteger(ScalarVariable* variable, int64_t value);

// An empty text and the flag 0 at the index: the value is no longer given.
void BlankEntry(ArrayVariables* inputs, std::string_view name, int16_t index);
// Mark (-1, 0): the whole variable is left to the program.
void MarkVariable(ArrayVariables* inputs, std::string_view name);

// Getting. The value text starts blank; when the variable exists its value
// is got into it, and when the text is then not blank and reads as a number,
// that number (a real multiplied by factor, widened from single precision)
// becomes the working value, and the answer is true. Otherwise the working
// value keeps what it held: an absent variable, a blank text and a text that
// is not a number all leave the preset.
bool GetIndexedReal(ArrayVariables* results, std::string_view name, int16_t index, double& value,
                    float factor = 1.0f);
bool GetIndexedInteger(ArrayVariables* results, std::string_view name, int16_t index,
                       int64_t& value);
bool GetIndexedReal(ArrayVariable* variable, int16_t index, double& value, float factor = 1.0f);
bool GetIndexedInteger(ArrayVariable* variable, int16_t index, int64_t& value);
bool GetScalarReal(ScalarVariables* results, std::string_view name, double& value,
                   float factor = 1.0f);
bool GetScalarInteger(ScalarVariables* results, std::string_view name, int64_t& value);
bool GetScalarReal(ScalarVariable* variable, double& value, float factor = 1.0f);
bool GetScalarInteger(ScalarVariable* variable, int64_t& value);

// Text line index of a variable, blank-padded to the value text's length;
// all blanks when the variable is null or gives nothing.
ValueText GetTextLine(ArrayVariable* variable, int16_t index);
// The number of entries; 0 when the variable is null or gives nothing.
int16_t GetCount(ArrayVariable* variable);

// The names the routines here look variables up by are held as BSTRs for
// the life of the connections: a run asks the server for the same few dozen
// names thousands of times, and each would otherwise be widened into a new
// BSTR and freed again around every lookup.
//
// The held BSTR of a name (trailing blanks already gone), made on its first
// use; null for a name that is not held (not plain ASCII, longer than a
// variable name can be, or the table full or out of memory), which the caller
// then widens itself. The BSTR stays owned here: it is only read by the call
// it is passed to.
BSTR HeldVariableName(std::string_view name);

// Frees every held name; the exit driver calls it once the connections are
// gone. Safe to call when nothing is held.
void FreeVariableNames();

// How many names are held (for the tests).
int HeldVariableNameCount();

// A put's value text (trailing blanks already gone) in the one BSTR that
// every put writes over, valid until the next call; null for a text it cannot
// take (longer than a value text, or not plain ASCII), which the caller then
// widens into a BSTR of its own.
BSTR HeldValueText(std::string_view text);

// Frees that BSTR; the exit driver calls it with FreeVariableNames. Safe to
// call when nothing is held.
void FreeValueText();
