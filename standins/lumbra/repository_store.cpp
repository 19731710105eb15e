#include "standins/lumbra/repository_store.h"

#include <algorithm>
#include <utility>

namespace lumbra {

namespace {

int64_t SizeOf(const auto& values) { return static_cast<int64_t>(values.size()); }

}  // namespace

Counts Record::sizes() const {
  return {SizeOf(ivals),  SizeOf(xvals2), SizeOf(rvals),
          SizeOf(xvals4), SizeOf(svals),  SizeOf(xvals6)};
}

bool Record::holds_data() const {
  const Counts n = sizes();
  return stated.has_value() || std::any_of(n.begin(), n.end(), [](int64_t c) { return c > 0; });
}

void Record::replace_data(Record&& from) {
  ivals = std::move(from.ivals);
  xvals2 = std::move(from.xvals2);
  rvals = std::move(from.rvals);
  xvals4 = std::move(from.xvals4);
  svals = std::move(from.svals);
  xvals6 = std::move(from.xvals6);
  stated = from.stated;
}

Record* Object::find(std::string_view name) {
  auto it =
      std::find_if(records.begin(), records.end(), [&](const Record& r) { return r.name == name; });
  return it == records.end() ? nullptr : &*it;
}

const Record* Object::find(std::string_view name) const {
  return const_cast<Object*>(this)->find(name);
}

Object* Store::find(std::string_view id) {
  auto& objects = contents_.objects;
  auto it =
      std::find_if(objects.begin(), objects.end(), [&](const Object& o) { return o.id == id; });
  return it == objects.end() ? nullptr : &*it;
}

const Object* Store::find(std::string_view id) const { return const_cast<Store*>(this)->find(id); }

const Record* Store::find_record(std::string_view id, std::string_view name) const {
  const Object* object = find(id);
  return object ? object->find(name) : nullptr;
}

Error Store::remove(std::string_view id) {
  auto& objects = contents_.objects;
  auto it =
      std::find_if(objects.begin(), objects.end(), [&](const Object& o) { return o.id == id; });
  if (it == objects.end()) return kNoObject;
  objects.erase(it);
  return kOk;
}

Error Store::create(std::string_view id, std::string_view cls, int64_t& handle) {
  if (id.empty() || cls.empty()) return kBadArgument;
  if (find(id)) return kObjectExists;
  Object object;
  object.id = id;
  object.cls = cls;
  object.handle = next_handle();
  handle = object.handle;
  contents_.objects.push_back(std::move(object));
  return kOk;
}

Error Store::add_member(std::string_view id, std::string_view name, int64_t parent,
                        int64_t& handle) {
  if (name.empty()) return kBadArgument;
  Object* object = find(id);
  if (!object) return kNoObject;
  std::string parent_name;
  if (parent != object->handle) {
    auto it = std::find_if(object->records.begin(), object->records.end(),
                           [&](const Record& r) { return r.member && r.handle == parent; });
    if (parent == 0 || it == object->records.end()) return kBadParent;
    parent_name = it->name;
  }
  if (object->find(name)) return kNameInUse;
  Record member;
  member.name = name;
  member.member = true;
  member.parent = std::move(parent_name);
  member.handle = next_handle();
  handle = member.handle;
  object->records.push_back(std::move(member));
  return kOk;
}

Error Store::put(std::string_view id, Record&& record) {
  if (record.name.empty()) return kBadArgument;
  Object* object = find(id);
  if (!object) return kNoObject;
  if (Record* stored = object->find(record.name)) {
    stored->replace_data(std::move(record));
  } else {
    record.member = false;
    record.parent.clear();
    record.handle = 0;
    object->records.push_back(std::move(record));
  }
  return kOk;
}

Error Store::state_counts(std::string_view id, std::string_view name, const Counts& counts) {
  Object* object = find(id);
  if (!object) return kNoObject;
  Record* record = object->find(name);
  if (!record) return kNoRecord;
  if (std::any_of(counts.begin(), counts.end(), [](int64_t c) { return c < 0; }))
    return kBadArgument;
  record->stated = counts;
  return kOk;
}

void Store::declare_class(std::string_view cls) {
  if (!class_declared(cls)) contents_.classes.emplace_back(cls);
}

bool Store::class_declared(std::string_view cls) const {
  const auto& classes = contents_.classes;
  return std::find(classes.begin(), classes.end(), cls) != classes.end();
}

void Store::merge(Contents&& loaded) {
  for (const std::string& cls : loaded.classes) declare_class(cls);
  for (Object& object : loaded.objects) {
    remove(object.id);
    object.handle = next_handle();
    for (Record& record : object.records) record.handle = record.member ? next_handle() : 0;
    contents_.objects.push_back(std::move(object));
  }
}

void Store::clear() { contents_ = Contents{}; }

}  // namespace lumbra
