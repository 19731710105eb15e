#include "standins/host/host_repository.h"

#include <algorithm>

#include "include/fixed_text.h"
#include "include/repository.h"

namespace host {

namespace {

using Id = FixedText<128>;
using Name = FixedText<64>;

// An 8-byte element array that RPGETD and RPPUTD take; never empty, so that an
// address stands behind every count.
template <class T>
T* Slot(std::vector<T>& v, std::vector<T>& spare) {
  if (!v.empty()) return v.data();
  spare.assign(1, T{});
  return spare.data();
}

}  // namespace

int64_t LoadRepositoryFile(const std::string& path) {
  // Both texts NUL-terminated in 257 characters, the folder empty.
  FixedText<257> folder;
  folder.data()[0] = '\0';
  FixedText<257> file(std::string_view(path).substr(0, 256));
  file.data()[std::min<std::size_t>(path.size(), 256)] = '\0';
  int64_t err = -1;
  RPREAD(folder.data(), folder.length(), file.data(), file.length(), &err);
  return err;
}

bool ObjectExists(std::string_view id) {
  const Id key(id);
  int64_t found = 0, err = 0;
  RPFIND(key.data(), key.length(), &found, &err);
  return found != 0;
}

int64_t CreateObject(std::string_view id, std::string_view cls) {
  const Id key(id);
  const Name class_name(cls);
  int64_t handle = 0, err = -1;
  RPNEW(key.data(), key.length(), class_name.data(), class_name.length(), &handle, &err);
  return err;
}

int64_t DeleteObject(std::string_view id) {
  const Id key(id);
  int64_t err = -1;
  RPDELE(key.data(), key.length(), &err);
  return err;
}

int64_t ReadRecord(std::string_view id, std::string_view record, int64_t text_len,
                   RecordArrays& arrays) {
  const Id key(id);
  const Name name(record);
  int64_t n[6] = {0, 0, 0, 0, 0, 0};
  int64_t err = -1;
  RPGETS(key.data(), key.length(), name.data(), name.length(), &n[0], &n[1], &n[2], &n[3], &n[4],
         &n[5], &err);
  arrays = RecordArrays{};
  if (err != 0) return err;
  for (int64_t count : n)
    if (count < 0 || count > kMostElements) return 7;

  arrays.ivals.assign(n[0], 0);
  arrays.xvals2.assign(n[1], 0);
  arrays.rvals.assign(n[2], 0.0);
  arrays.xvals4.assign(n[3], 0);
  std::string texts(static_cast<std::size_t>(n[4] * text_len), ' ');
  arrays.xvals6.assign(n[5], 0);
  std::vector<int64_t> spare_i;
  std::vector<uint64_t> spare2, spare4, spare6;
  std::vector<double> spare_r;
  char spare_text = ' ';
  RPGETD(key.data(), key.length(), name.data(), name.length(), &n[0], Slot(arrays.ivals, spare_i),
         &n[1], Slot(arrays.xvals2, spare2), &n[2], Slot(arrays.rvals, spare_r), &n[3],
         Slot(arrays.xvals4, spare4), &n[4], texts.empty() ? &spare_text : texts.data(), text_len,
         &n[5], Slot(arrays.xvals6, spare6), &err);
  for (int64_t i = 0; i < n[4]; ++i)
    arrays.svals.emplace_back(
        fixed::Trimmed(std::string_view(texts).substr(i * text_len, text_len)));
  return err;
}

int64_t PutRecord(std::string_view id, std::string_view record, const RecordArrays& arrays,
                  int64_t text_len) {
  const Id key(id);
  const Name name(record);
  RecordArrays a = arrays;
  int64_t n[6] = {static_cast<int64_t>(a.ivals.size()), static_cast<int64_t>(a.xvals2.size()),
                  static_cast<int64_t>(a.rvals.size()), static_cast<int64_t>(a.xvals4.size()),
                  static_cast<int64_t>(a.svals.size()), static_cast<int64_t>(a.xvals6.size())};
  std::string texts(static_cast<std::size_t>(n[4] * text_len), ' ');
  for (int64_t i = 0; i < n[4]; ++i)
    fixed::AssignPadded(texts.data() + i * text_len, static_cast<std::size_t>(text_len),
                        a.svals[i]);
  std::vector<int64_t> spare_i;
  std::vector<uint64_t> spare2, spare4, spare6;
  std::vector<double> spare_r;
  char spare_text = ' ';
  int64_t err = -1;
  RPPUTD(key.data(), key.length(), name.data(), name.length(), &n[0], Slot(a.ivals, spare_i), &n[1],
         Slot(a.xvals2, spare2), &n[2], Slot(a.rvals, spare_r), &n[3], Slot(a.xvals4, spare4),
         &n[4], texts.empty() ? &spare_text : texts.data(), text_len, &n[5], Slot(a.xvals6, spare6),
         &err);
  return err;
}

}  // namespace host
