// Putting, getting and marking the case's variables through the value text.
//
// No server result code is tested: a failed put leaves the variable as the
// server left it, a failed get leaves the value text blank and so the working
// value as it was.
#include "exchange/case_variables_face.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "include/fixed_text.h"

namespace {

constexpr std::size_t kSlots = 256;  // a power of two, far above the names a run uses
constexpr std::size_t kLongestName = 128;

// Open addressing on the name's hash. A slot once filled stays filled until
// FreeVariableNames, so a search ends at the first empty slot.
std::array<BSTR, kSlots> VARIABLE_NAMES{};
int HELD_NAMES = 0;

uint32_t HashOf(std::string_view name) {
  uint32_t h = 2166136261u;
  for (unsigned char c : name) h = (h ^ c) * 16777619u;
  return h;
}

bool IsPlainAscii(std::string_view name) {
  for (unsigned char c : name)
    if (c == 0 || c > 0x7F) return false;
  return true;
}

bool SameName(BSTR held, std::string_view name) {
  if (SysStringLen(held) != name.size()) return false;
  for (std::size_t i = 0; i < name.size(); ++i)
    if (held[i] != static_cast<OLECHAR>(static_cast<unsigned char>(name[i]))) return false;
  return true;
}

// Plain ASCII widens character by character.
void CopyWidened(OLECHAR* to, std::string_view ascii) {
  for (std::size_t i = 0; i < ascii.size(); ++i)
    to[i] = static_cast<OLECHAR>(static_cast<unsigned char>(ascii[i]));
}

BSTR Widened(std::string_view name) {
  BSTR s = SysAllocStringLen(nullptr, static_cast<UINT>(name.size()));
  if (s) CopyWidened(s, name);
  return s;
}

}  // namespace

BSTR HeldVariableName(std::string_view name) {
  if (name.empty() || name.size() > kLongestName || !IsPlainAscii(name)) return nullptr;
  // The table is never filled past three quarters, so that a search stays short.
  std::size_t slot = HashOf(name) & (kSlots - 1);
  for (std::size_t probe = 0; probe < kSlots; ++probe, slot = (slot + 1) & (kSlots - 1)) {
    BSTR& held = VARIABLE_NAMES[slot];
    if (!held) {
      if (static_cast<std::size_t>(HELD_NAMES) >= kSlots / 4 * 3) return nullptr;
      held = Widened(name);
      if (held) ++HELD_NAMES;
      return held;
    }
    if (SameName(held, name)) return held;
  }
  return nullptr;
}

void FreeVariableNames() {
  for (BSTR& held : VARIABLE_NAMES) {
    SysFreeString(held);
    held = nullptr;
  }
  HELD_NAMES = 0;
}

int HeldVariableNameCount() { return HELD_NAMES; }

namespace {

// The one BSTR every put's value text is written into: a put hands the text
// to the server only for the time of its call, so the next put may write over
// it. It holds the longest value text; its length word says how much of it
// the current text fills, and is set back to the whole before it is freed.
BSTR VALUE_TEXT_BSTR = nullptr;
constexpr UINT kValueTextRoom = static_cast<UINT>(VALUE_TEXT_LENGTH);

// The length word before the characters counts bytes, the NUL not included.
void SetLength(BSTR s, UINT characters) {
  const UINT bytes = characters * static_cast<UINT>(sizeof(OLECHAR));
  std::memcpy(reinterpret_cast<char*>(s) - sizeof bytes, &bytes, sizeof bytes);
  s[characters] = 0;
}

}  // namespace

BSTR HeldValueText(std::string_view text) {
  if (text.size() > kValueTextRoom || !IsPlainAscii(text)) return nullptr;
  if (!VALUE_TEXT_BSTR) VALUE_TEXT_BSTR = SysAllocStringLen(nullptr, kValueTextRoom);
  if (!VALUE_TEXT_BSTR) return nullptr;
  CopyWidened(VALUE_TEXT_BSTR, text);
  SetLength(VALUE_TEXT_BSTR, static_cast<UINT>(text.size()));
  return VALUE_TEXT_BSTR;
}

void FreeValueText() {
  if (!VALUE_TEXT_BSTR) return;
  SetLength(VALUE_TEXT_BSTR, kValueTextRoom);
  SysFreeString(VALUE_TEXT_BSTR);
  VALUE_TEXT_BSTR = nullptr;
}

namespace {

CaseData* CaseDataOf(CaseData* const* case_data) { return case_data ? *case_data : nullptr; }

template <class Collection, class Getter>
ComPtr<Collection> GetCollection(CaseData* const* case_data, Getter getter) {
  ComPtr<Collection> collection;
  if (CaseData* data = CaseDataOf(case_data)) (data->*getter)(collection.out());
  return collection;
}

template <class Variable, class Collection>
ComPtr<Variable> Find(Collection* collection, std::string_view name) {
  ComPtr<Variable> variable;
  if (!collection) return variable;
  const std::string_view trimmed = fixed::Trimmed(name);
  if (BSTR held = HeldVariableName(trimmed)) {
    collection->Item(held, variable.out());
    return variable;
  }
  const Bstr bname(trimmed);
  collection->Item(bname.get(), variable.out());
  return variable;
}

// The value text goes to the server without its trailing blanks; a text the
// held BSTR cannot take is widened into a BSTR of its own.
template <class Put>
void PutText(std::string_view text, Put put) {
  const std::string_view trimmed = fixed::Trimmed(text);
  if (BSTR held = HeldValueText(trimmed)) return put(held);
  const Bstr btext(trimmed);
  put(btext.get());
}

void PutArrayText(ArrayVariable* variable, int16_t index, std::string_view text,
                  int64_t given_flag) {
  if (!variable) return;
  PutText(text, [&](BSTR value) { variable->PutValue(index, value); });
  variable->PutFlag(index, given_flag);
}

void PutScalarText(ScalarVariable* variable, std::string_view text) {
  if (!variable) return;
  PutText(text, [&](BSTR value) { variable->PutValue(value); });
  variable->PutFlag(1);
}

ValueText GotText(const Bstr& got) {
  ValueText text;
  text = got.ansi();
  return text;
}

// GetValue or GetText of an entry; blank for no variable.
ValueText GetArrayText(ArrayVariable* variable, int16_t index,
                       HRESULT (STDMETHODCALLTYPE ArrayVariable::*get)(short, BSTR*)) {
  if (!variable) return ValueText();
  Bstr got;
  (variable->*get)(index, got.out());
  return GotText(got);
}

ValueText GetScalarValueText(ScalarVariable* variable) {
  if (!variable) return ValueText();
  Bstr got;
  variable->GetValue(got.out());
  return GotText(got);
}

// A read real times its factor; the working value changes only on a read.
bool ReadScaled(const ValueText& text, double& value, float factor) {
  if (text.blank()) return false;
  double read = 0;
  if (!ReadRealValue(text.view(), read)) return false;
  const double scaled = read * static_cast<double>(factor);
  if (!std::isfinite(scaled)) return false;  // beyond the range of a real once converted
  value = scaled;
  return true;
}

bool ReadWhole(const ValueText& text, int64_t& value) {
  return !text.blank() && ReadIntegerValue(text.view(), value);
}

}  // namespace

ComPtr<ArrayVariables> GetArrayInputs(CaseData* const* case_data) {
  return GetCollection<ArrayVariables>(case_data, &CaseData::GetArrayInputs);
}
ComPtr<ScalarVariables> GetScalarInputs(CaseData* const* case_data) {
  return GetCollection<ScalarVariables>(case_data, &CaseData::GetScalarInputs);
}
ComPtr<ArrayVariables> GetArrayResults(CaseData* const* case_data) {
  return GetCollection<ArrayVariables>(case_data, &CaseData::GetArrayResults);
}
ComPtr<ScalarVariables> GetScalarResults(CaseData* const* case_data) {
  return GetCollection<ScalarVariables>(case_data, &CaseData::GetScalarResults);
}

ComPtr<ArrayVariable> FindVariable(ArrayVariables* collection, std::string_view name) {
  return Find<ArrayVariable>(collection, name);
}
ComPtr<ScalarVariable> FindVariable(ScalarVariables* collection, std::string_view name) {
  return Find<ScalarVariable>(collection, name);
}

void PutIndexedReal(ArrayVariable* variable, int16_t index, double value, int64_t given_flag) {
  ValueText text;
  WriteRealValue(text, value);
  PutArrayText(variable, index, text.view(), given_flag);
}
void PutIndexedInteger(ArrayVariable* variable, int16_t index, int64_t value, int64_t given_flag) {
  ValueText text;
  WriteIntegerValue(text, value);
  PutArrayText(variable, index, text.view(), given_flag);
}
void PutIndexedText(ArrayVariable* variable, int16_t index, std::string_view text,
                    int64_t given_flag) {
  PutArrayText(variable, index, text, given_flag);
}

void PutIndexedReal(ArrayVariables* inputs, std::string_view name, int16_t index, double value,
                    int64_t given_flag) {
  PutIndexedReal(FindVariable(inputs, name).get(), index, value, given_flag);
}
void PutIndexedInteger(ArrayVariables* inputs, std::string_view name, int16_t index, int64_t value,
                       int64_t given_flag) {
  PutIndexedInteger(FindVariable(inputs, name).get(), index, value, given_flag);
}
void PutIndexedText(ArrayVariables* inputs, std::string_view name, int16_t index,
                    std::string_view text, int64_t given_flag) {
  PutIndexedText(FindVariable(inputs, name).get(), index, text, given_flag);
}

void PutScalarReal(ScalarVariable* variable, double value) {
  ValueText text;
  WriteRealValue(text, value);
  PutScalarText(variable, text.view());
}
void PutScalarInteger(ScalarVariable* variable, int64_t value) {
  ValueText text;
  WriteIntegerValue(text, value);
  PutScalarText(variable, text.view());
}
void PutScalarReal(ScalarVariables* inputs, std::string_view name, double value) {
  PutScalarReal(FindVariable(inputs, name).get(), value);
}
void PutScalarInteger(ScalarVariables* inputs, std::string_view name, int64_t value) {
  PutScalarInteger(FindVariable(inputs, name).get(), value);
}

void BlankEntry(ArrayVariables* inputs, std::string_view name, int16_t index) {
  PutArrayText(FindVariable(inputs, name).get(), index, "", 0);
}

void MarkVariable(ArrayVariables* inputs, std::string_view name) {
  if (const ComPtr<ArrayVariable> variable = FindVariable(inputs, name)) variable->Mark(-1, 0);
}

bool GetIndexedReal(ArrayVariable* variable, int16_t index, double& value, float factor) {
  return ReadScaled(GetArrayText(variable, index, &ArrayVariable::GetValue), value, factor);
}
bool GetIndexedInteger(ArrayVariable* variable, int16_t index, int64_t& value) {
  return ReadWhole(GetArrayText(variable, index, &ArrayVariable::GetValue), value);
}
bool GetIndexedReal(ArrayVariables* results, std::string_view name, int16_t index, double& value,
                    float factor) {
  return GetIndexedReal(FindVariable(results, name).get(), index, value, factor);
}
bool GetIndexedInteger(ArrayVariables* results, std::string_view name, int16_t index,
                       int64_t& value) {
  return GetIndexedInteger(FindVariable(results, name).get(), index, value);
}

bool GetScalarReal(ScalarVariable* variable, double& value, float factor) {
  return ReadScaled(GetScalarValueText(variable), value, factor);
}
bool GetScalarInteger(ScalarVariable* variable, int64_t& value) {
  return ReadWhole(GetScalarValueText(variable), value);
}
bool GetScalarReal(ScalarVariables* results, std::string_view name, double& value, float factor) {
  return GetScalarReal(FindVariable(results, name).get(), value, factor);
}
bool GetScalarInteger(ScalarVariables* results, std::string_view name, int64_t& value) {
  return GetScalarInteger(FindVariable(results, name).get(), value);
}

ValueText GetTextLine(ArrayVariable* variable, int16_t index) {
  return GetArrayText(variable, index, &ArrayVariable::GetText);
}

int16_t GetCount(ArrayVariable* variable) {
  short count = 0;
  if (variable) variable->GetCount(&count);
  return count;
}
