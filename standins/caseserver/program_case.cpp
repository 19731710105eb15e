#include "standins/caseserver/program_case.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<std::string_view, kCollectionCount> kCollectionNames = {
    "ArrayInputs", "ScalarInputs", "ArrayResults", "ScalarResults"};

}  // namespace

std::string_view CollectionName(Collection collection) {
  return kCollectionNames[static_cast<int>(collection)];
}

std::optional<Collection> CollectionNamed(std::string_view name) {
  for (int i = 0; i < kCollectionCount; ++i)
    if (kCollectionNames[i] == name) return static_cast<Collection>(i);
  return std::nullopt;
}

CaseEntry* CaseVariable::entry(int index) {
  return index >= 1 && index <= count() ? &entries[index - 1] : nullptr;
}

const CaseEntry* CaseVariable::entry(int index) const {
  return index >= 1 && index <= count() ? &entries[index - 1] : nullptr;
}

void CaseVariable::Clear() {
  for (CaseEntry& e : entries) e = CaseEntry{};
}

CaseVariable* ProgramCase::Find(Collection collection, std::string_view name) {
  Variables& vars = collections_[static_cast<int>(collection)];
  auto it = vars.find(name);
  return it == vars.end() ? nullptr : &it->second;
}

const CaseVariable* ProgramCase::Find(Collection collection, std::string_view name) const {
  const Variables& vars = collections_[static_cast<int>(collection)];
  auto it = vars.find(name);
  return it == vars.end() ? nullptr : &it->second;
}

CaseVariable& ProgramCase::Define(Collection collection, std::string_view name, int count) {
  const int n = IsScalar(collection) ? 1 : std::clamp(count, 0, kMaxEntries);
  CaseVariable& v = collections_[static_cast<int>(collection)][std::string(name)];
  v = CaseVariable{};
  v.entries.resize(static_cast<std::size_t>(n));
  return v;
}

bool ProgramCase::Remove(Collection collection, std::string_view name) {
  Variables& vars = collections_[static_cast<int>(collection)];
  auto it = vars.find(name);
  if (it == vars.end()) return false;
  vars.erase(it);
  return true;
}

void ProgramCase::TakeOver(const ProgramCase& loaded) {
  program_ = loaded.program_;
  for (int k = 0; k < kCollectionCount; ++k) {
    Variables& mine = collections_[k];
    const Variables& theirs = loaded.collections_[k];
    std::erase_if(mine, [&](const auto& held) { return !theirs.contains(held.first); });
    // Assigning a variable over one of the same name assigns its entries one
    // by one, each text into the room the held text has.
    for (const auto& [name, variable] : theirs) mine.insert_or_assign(name, variable);
  }
}
