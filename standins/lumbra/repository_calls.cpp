// The nine calls of the case repository, exported by name. Each answers in
// its error word (0 when it did its work) and lets nothing thrown leave it.
#include <new>
#include <optional>
#include <string>
#include <string_view>

#include "include/repository.h"
#include "standins/lumbra/case_repository.h"
#include "standins/lumbra/host_text.h"
#include "standins/lumbra/record_transfer.h"

using lumbra::CASE_REPOSITORY;
using lumbra::Error;
using lumbra::HostText;

namespace {

using MaybeText = std::optional<std::string_view>;

std::string_view Shown(const MaybeText& text) { return text ? *text : std::string_view("?"); }

std::string Shown(const int64_t* value) { return value ? std::to_string(*value) : "?"; }

std::string ShownCounts(const lumbra::CallerArrays& a) {
  std::string out;
  for (const int64_t* n : {a.n1, a.n2, a.n3, a.n4, a.n5, a.n6}) {
    if (!out.empty()) out += ' ';
    out += Shown(n);
  }
  return out;
}

template <class Work>
void Answer(int64_t* err, Error on_exception, Work work) {
  Error answer;
  try {
    answer = work();
  } catch (const std::bad_alloc&) {
    answer = CASE_REPOSITORY.fail(on_exception, "out of memory");
  } catch (...) {
    answer = CASE_REPOSITORY.fail(on_exception, "an unexpected failure");
  }
  if (err) *err = answer;
}

Error BadArgument(const char* call) {
  return CASE_REPOSITORY.fail(lumbra::kBadArgument, std::string(call) + ": a bad argument");
}

// The error word for an object or record that the store does not hold.
Error Missing(const char* call, std::string_view id, std::string_view record = {}) {
  if (!CASE_REPOSITORY.store.find(id))
    return CASE_REPOSITORY.fail(lumbra::kNoObject,
                                std::string(call) + ": no object \"" + std::string(id) + "\"");
  return CASE_REPOSITORY.fail(lumbra::kNoRecord, std::string(call) + ": object \"" +
                                                     std::string(id) + "\" holds no record \"" +
                                                     std::string(record) + "\"");
}

Error Checked(const char* call, Error error) {
  if (error == lumbra::kOk) return error;
  return CASE_REPOSITORY.fail(error, std::string(call) + ": error word " + std::to_string(error));
}

// The id and record name of an RPGETD or RPPUTD, logged with the caller's counts.
struct RecordCall {
  MaybeText key;
  MaybeText name;
};

RecordCall TakeRecordCall(const char* call, const char* id, int64_t id_len, const char* record,
                          int64_t record_len, const lumbra::CallerArrays& arrays) {
  RecordCall taken{HostText(id, id_len), HostText(record, record_len)};
  CASE_REPOSITORY.log({call, Shown(taken.key), Shown(taken.name), ShownCounts(arrays),
                       std::to_string(arrays.svals_len)});
  return taken;
}

// The folder is joined to the file with a separator unless it ends in one.
std::string JoinPath(std::string_view folder, std::string_view file) {
  std::string path(folder);
  if (!path.empty() && path.find_last_of("\\/:") != path.size() - 1) path += '\\';
  path += file;
  return path;
}

}  // namespace

LUMBRA_API void RPREAD(const char* folder, int64_t folder_len, const char* file, int64_t file_len,
                       int64_t* err) {
  Answer(err, lumbra::kReadFailed, [&] {
    const MaybeText dir = HostText(folder, folder_len);
    const MaybeText name = HostText(file, file_len);
    const std::string path = dir && name ? JoinPath(*dir, *name) : std::string("?");
    CASE_REPOSITORY.log({"RPREAD", path});
    if (!dir || !name || name->empty())
      return CASE_REPOSITORY.fail(lumbra::kReadFailed, "RPREAD: no file name");
    return ReadRepositoryFile(CASE_REPOSITORY, path);
  });
}

LUMBRA_API void RPFIND(const char* id, int64_t id_len, int64_t* found, int64_t* err) {
  Answer(err, lumbra::kNoMemory, [&] {
    const MaybeText key = HostText(id, id_len);
    CASE_REPOSITORY.log({"RPFIND", Shown(key)});
    if (!key || !found) {
      if (found) *found = 0;
      return BadArgument("RPFIND");
    }
    *found = CASE_REPOSITORY.store.find(*key) ? 1 : 0;
    return lumbra::kOk;
  });
}

LUMBRA_API void RPDELE(const char* id, int64_t id_len, int64_t* err) {
  Answer(err, lumbra::kNoMemory, [&] {
    const MaybeText key = HostText(id, id_len);
    CASE_REPOSITORY.log({"RPDELE", Shown(key)});
    if (!key) return BadArgument("RPDELE");
    if (CASE_REPOSITORY.store.remove(*key) != lumbra::kOk) return Missing("RPDELE", *key);
    return lumbra::kOk;
  });
}

LUMBRA_API void RPNEW(const char* id, int64_t id_len, const char* cls, int64_t cls_len,
                      int64_t* handle, int64_t* err) {
  Answer(err, lumbra::kNoMemory, [&] {
    const MaybeText key = HostText(id, id_len);
    const MaybeText class_name = HostText(cls, cls_len);
    CASE_REPOSITORY.log({"RPNEW", Shown(key), Shown(class_name)});
    if (handle) *handle = 0;
    if (!key || !class_name || !handle) return BadArgument("RPNEW");
    return Checked("RPNEW", CASE_REPOSITORY.store.create(*key, *class_name, *handle));
  });
}

LUMBRA_API void RPALLO(const char* id, int64_t id_len, const char* member, int64_t member_len,
                       int64_t* parent, int64_t* handle, int64_t* err) {
  Answer(err, lumbra::kNoMemory, [&] {
    const MaybeText key = HostText(id, id_len);
    const MaybeText name = HostText(member, member_len);
    CASE_REPOSITORY.log({"RPALLO", Shown(key), Shown(name), Shown(parent)});
    if (handle) *handle = 0;
    if (!key || !name || !parent || !handle) return BadArgument("RPALLO");
    const Error error = CASE_REPOSITORY.store.add_member(*key, *name, *parent, *handle);
    if (error == lumbra::kNoObject) return Missing("RPALLO", *key);
    return Checked("RPALLO", error);
  });
}

LUMBRA_API void RPGETS(const char* id, int64_t id_len, const char* record, int64_t record_len,
                       int64_t* n1, int64_t* n2, int64_t* n3, int64_t* n4, int64_t* n5, int64_t* n6,
                       int64_t* err) {
  Answer(err, lumbra::kNoMemory, [&] {
    const MaybeText key = HostText(id, id_len);
    const MaybeText name = HostText(record, record_len);
    CASE_REPOSITORY.log({"RPGETS", Shown(key), Shown(name)});
    int64_t* out[] = {n1, n2, n3, n4, n5, n6};
    for (int64_t* n : out)
      if (n) *n = 0;
    if (!key || !name) return BadArgument("RPGETS");
    const lumbra::Record* found = CASE_REPOSITORY.store.find_record(*key, *name);
    if (!found) return Missing("RPGETS", *key, *name);
    const lumbra::Counts counts = found->counts();
    for (std::size_t i = 0; i < counts.size(); ++i)
      if (out[i]) *out[i] = counts[i];
    return lumbra::kOk;
  });
}

LUMBRA_API void RPGETD(const char* id, int64_t id_len, const char* record, int64_t record_len,
                       int64_t* n1, int64_t* ivals, int64_t* n2, void* xvals2, int64_t* n3,
                       double* rvals, int64_t* n4, void* xvals4, int64_t* n5, char* svals,
                       int64_t svals_len, int64_t* n6, void* xvals6, int64_t* err) {
  Answer(err, lumbra::kNoMemory, [&] {
    const lumbra::CallerArrays to{n1,     ivals, n2,    xvals2,    n3, rvals, n4,
                                  xvals4, n5,    svals, svals_len, n6, xvals6};
    const auto [key, name] = TakeRecordCall("RPGETD", id, id_len, record, record_len, to);
    if (!key || !name) return BadArgument("RPGETD");
    const lumbra::Record* found = CASE_REPOSITORY.store.find_record(*key, *name);
    if (!found) return Missing("RPGETD", *key, *name);
    return Checked("RPGETD", FillCallerArrays(*found, to));
  });
}

LUMBRA_API void RPPUTD(const char* id, int64_t id_len, const char* record, int64_t record_len,
                       int64_t* n1, int64_t* ivals, int64_t* n2, void* xvals2, int64_t* n3,
                       double* rvals, int64_t* n4, void* xvals4, int64_t* n5, char* svals,
                       int64_t svals_len, int64_t* n6, void* xvals6, int64_t* err) {
  Answer(err, lumbra::kNoMemory, [&] {
    const lumbra::CallerArrays from{n1,     ivals, n2,    xvals2,    n3, rvals, n4,
                                    xvals4, n5,    svals, svals_len, n6, xvals6};
    const auto [key, name] = TakeRecordCall("RPPUTD", id, id_len, record, record_len, from);
    if (!key || !name || name->empty()) return BadArgument("RPPUTD");
    if (!CASE_REPOSITORY.store.find(*key)) return Missing("RPPUTD", *key);
    lumbra::Record made;
    made.name = *name;
    if (const Error error = RecordFromCaller(from, made); error != lumbra::kOk)
      return Checked("RPPUTD", error);
    return Checked("RPPUTD", CASE_REPOSITORY.store.put(*key, std::move(made)));
  });
}

LUMBRA_API void RPDUMP(const char* file, int64_t file_len, int64_t* a, int64_t* b, int64_t* c,
                       int64_t* err) {
  Answer(err, lumbra::kNoMemory, [&] {
    const MaybeText name = HostText(file, file_len);
    CASE_REPOSITORY.log({"RPDUMP", Shown(name), Shown(a) + " " + Shown(b) + " " + Shown(c)});
    if (!name || name->empty()) return BadArgument("RPDUMP");
    return DumpRepositoryFile(CASE_REPOSITORY, std::string(*name));
  });
}
