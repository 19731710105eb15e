// One plate program case as the case server holds it: four collections of named
// variables; each variable a row of entries (value text, given flag, text line)
// and the number of marks it has received.
//
// Plain data, no platform calls: the COM objects and the case files work on it.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class Collection { ArrayInputs = 0, ScalarInputs = 1, ArrayResults = 2, ScalarResults = 3 };
inline constexpr int kCollectionCount = 4;

// "ArrayInputs", "ScalarInputs", "ArrayResults", "ScalarResults".
std::string_view CollectionName(Collection collection);
std::optional<Collection> CollectionNamed(std::string_view name);
// Scalar variables hold exactly one entry.
inline bool IsScalar(Collection c) {
  return c == Collection::ScalarInputs || c == Collection::ScalarResults;
}

// Entries are addressed by 16-bit indices from 1.
inline constexpr int kMaxEntries = 32767;

struct CaseEntry {
  std::string value;  // the value text as the library or the program wrote it
  int64_t flag = 0;   // 1 given, 0 not given; any other value is kept as it came
  std::string text;   // the entry's text line (messages, remarks)

  bool blank() const { return value.empty() && flag == 0 && text.empty(); }
  friend bool operator==(const CaseEntry&, const CaseEntry&) = default;
};

struct CaseVariable {
  std::vector<CaseEntry> entries;
  int64_t marks = 0;

  int count() const { return static_cast<int>(entries.size()); }
  // The entry at a 1-based index, null outside 1..count.
  CaseEntry* entry(int index);
  const CaseEntry* entry(int index) const;
  // Every entry blank and not given: the variable is left to the program.
  void Clear();

  friend bool operator==(const CaseVariable&, const CaseVariable&) = default;
};

class ProgramCase {
 public:
  using Variables = std::map<std::string, CaseVariable, std::less<>>;

  explicit ProgramCase(std::string program = {}) : program_(std::move(program)) {}

  const std::string& program() const { return program_; }

  // Null when the collection has no variable of that name (names are case-sensitive).
  CaseVariable* Find(Collection collection, std::string_view name);
  const CaseVariable* Find(Collection collection, std::string_view name) const;
  // A fresh variable of `count` blank entries (a scalar always has one), replacing
  // one of the same name. The count is held within 0..kMaxEntries.
  CaseVariable& Define(Collection collection, std::string_view name, int count);
  bool Remove(Collection collection, std::string_view name);
  // Becomes equal to `loaded`, keeping the variables and texts this case
  // already has where `loaded` has them too: a case file loaded again and
  // again stays in the memory it has, instead of the whole case being built
  // anew beside the old one at every load.
  void TakeOver(const ProgramCase& loaded);

  const Variables& variables(Collection collection) const {
    return collections_[static_cast<int>(collection)];
  }

  friend bool operator==(const ProgramCase&, const ProgramCase&) = default;

 private:
  std::string program_;
  Variables collections_[kCollectionCount];
};
