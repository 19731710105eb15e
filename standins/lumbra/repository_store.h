// The case repository's store: objects of a class, each holding named records
// of six typed arrays, some of which are members created under a parent.
//
// Ids and names arrive here already taken out of the host's buffers (cut at a
// NUL, trailing blanks dropped) and are compared exactly, case-sensitively.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumbra {

// The repository's error words. RPREAD knows only 0 and 1, since the input
// driver takes every other answer of it as success.
enum Error : int64_t {
  kOk = 0,
  kReadFailed = 1,    // RPREAD: file missing, malformed or made to fail
  kNoObject = 2,      // no object of that id
  kNoRecord = 3,      // the object holds no record of that name
  kObjectExists = 4,  // RPNEW of an id already in use
  kNameInUse = 5,     // RPALLO of a name the object already uses
  kBadParent = 6,     // RPALLO's parent handle is neither the object nor one of its members
  kBadArgument = 7,   // null address, negative length or count, blank id or name
  kDumpFailed = 8,    // RPDUMP could not write its file
  kNoMemory = 9,      // a record too large to hold
};

// The six element counts, in RP_RECORD order: IVALS, XVALS2, RVALS, XVALS4,
// SVALS, XVALS6.
using Counts = std::array<int64_t, 6>;

// One named record of an object: the six arrays of RP_RECORD.
struct Record {
  std::string name;
  std::vector<int64_t> ivals;
  std::vector<uint64_t> xvals2;
  std::vector<double> rvals;
  std::vector<uint64_t> xvals4;
  std::vector<std::string> svals;  // each without its trailing blanks
  std::vector<uint64_t> xvals6;
  // Counts that RPGETS reports in place of the arrays' sizes; only a test sets
  // them, and storing the record again clears them.
  std::optional<Counts> stated;

  // Members are records that RPALLO created under the object or under another
  // member; parent is that member's name, empty for the object itself.
  bool member = false;
  std::string parent;
  int64_t handle = 0;

  Counts sizes() const;
  Counts counts() const { return stated ? *stated : sizes(); }
  bool holds_data() const;
  // Takes over another record's arrays and stated counts, keeping name and membership.
  void replace_data(Record&& from);
};

struct Object {
  std::string id;
  std::string cls;
  int64_t handle = 0;
  std::vector<Record> records;  // in the order of their creation

  Record* find(std::string_view name);
  const Record* find(std::string_view name) const;
};

// What a definition file or a dump holds: declared classes and objects.
struct Contents {
  std::vector<std::string> classes;
  std::vector<Object> objects;  // in the order of their creation
};

class Store {
 public:
  const Contents& contents() const { return contents_; }

  Object* find(std::string_view id);
  const Object* find(std::string_view id) const;
  const Record* find_record(std::string_view id, std::string_view name) const;

  Error remove(std::string_view id);
  Error create(std::string_view id, std::string_view cls, int64_t& handle);
  Error add_member(std::string_view id, std::string_view name, int64_t parent, int64_t& handle);
  // Stores the record under the object, replacing the data of one of that name.
  Error put(std::string_view id, Record&& record);
  Error state_counts(std::string_view id, std::string_view name, const Counts& counts);

  void declare_class(std::string_view cls);
  bool class_declared(std::string_view cls) const;
  // Adds what a file held: its classes, and its objects in place of stored
  // objects of the same ids. Handles are given afresh.
  void merge(Contents&& loaded);
  void clear();

 private:
  int64_t next_handle() { return ++last_handle_; }

  Contents contents_;
  // Handles are never given twice in a process, so a stale one matches nothing.
  int64_t last_handle_ = 0;
};

}  // namespace lumbra
