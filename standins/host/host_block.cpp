#include "standins/host/host_block.h"

#include <charconv>
#include <cstdlib>
#include <functional>
#include <map>
#include <sstream>

#include "standins/host/host_repository.h"

namespace host {

namespace {

bool ReadInteger(std::string_view text, int64_t& value) {
  const char* end = text.data() + text.size();
  auto [p, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && p == end;
}

bool ReadReal(const std::string& text, double& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  value = std::strtod(text.c_str(), &end);
  return end == text.c_str() + text.size();
}

// Up to four reals separated by blanks.
bool ReadLevels(const std::string& text, std::array<double, 4>& levels) {
  std::istringstream words(text);
  std::string word;
  std::size_t n = 0;
  levels.fill(MISSING_REAL);
  while (words >> word) {
    if (n == levels.size() || !ReadReal(word, levels[n])) return false;
    ++n;
  }
  return true;
}

}  // namespace

std::optional<HostBlock> ParseHostBlock(const std::vector<std::string>& entries,
                                        std::size_t id_length, std::string& error) {
  HostBlock b;
  bool host_id3_given = false;
  using Setter = std::function<bool(const std::string&)>;
  auto id = [&](std::string& slot) {
    return [&slot, id_length](const std::string& v) {
      slot = v;
      return !v.empty() && v.size() <= id_length;
    };
  };
  auto integer = [](int64_t& slot) {
    return [&slot](const std::string& v) { return ReadInteger(v, slot); };
  };
  auto curve = [id_length](std::vector<std::string>& list) {
    return [&list, id_length](const std::string& v) {
      list.push_back(v);
      return !v.empty() && v.size() <= id_length;
    };
  };
  const std::map<std::string, Setter, std::less<>> setters = {
      {"result", id(b.result_id)},
      {"host_id3",
       [&](const std::string& v) {
         host_id3_given = true;
         return id(b.host_id3)(v);
       }},
      {"hot_in", id(b.hot_in)},
      {"cold_in", id(b.cold_in)},
      {"hot_out", id(b.hot_out)},
      {"cold_out", id(b.cold_out)},
      {"hot_curve", curve(b.hot_curves)},
      {"cold_curve", curve(b.cold_curves)},
      {"unit", id(b.unit_id)},
      {"hot_property", integer(b.hot_property)},
      {"cold_property", integer(b.cold_property)},
      {"levels", integer(b.levels_asked)},
      {"hot_levels", [&](const std::string& v) { return ReadLevels(v, b.hot_levels); }},
      {"cold_levels", [&](const std::string& v) { return ReadLevels(v, b.cold_levels); }},
      {"output_mode", integer(b.output_mode)},
      {"case",
       [&](const std::string& v) {
         b.case_file = v;
         return !v.empty();
       }},
      {"key",
       [&](const std::string& v) {
         b.connection_key = v;
         return !v.empty();
       }},
  };

  for (const std::string& entry : entries) {
    const std::size_t eq = entry.find('=');
    if (eq == std::string::npos) {
      error = "\"" + entry + "\" is not a key=value entry";
      return std::nullopt;
    }
    const std::string key = entry.substr(0, eq);
    const auto setter = setters.find(key);
    if (setter == setters.end()) {
      error = "unknown entry \"" + key + "\"";
      return std::nullopt;
    }
    if (!setter->second(entry.substr(eq + 1))) {
      error = "entry \"" + entry + "\" does not hold a fitting value";
      return std::nullopt;
    }
  }

  const std::pair<const char*, const std::string*> required[] = {
      {"result", &b.result_id}, {"hot_in", &b.hot_in},     {"cold_in", &b.cold_in},
      {"hot_out", &b.hot_out},  {"cold_out", &b.cold_out}, {"unit", &b.unit_id},
      {"case", &b.case_file},   {"key", &b.connection_key}};
  for (const auto& [key, value] : required) {
    if (value->empty()) {
      error = std::string("entry \"") + key + "\" is missing";
      return std::nullopt;
    }
  }
  if (b.hot_curves.size() > kMostCurvesASide || b.cold_curves.size() > kMostCurvesASide ||
      b.hot_curves.size() + b.cold_curves.size() > kMostCurves) {
    error = "more curves than the host's arrays hold (10 a side, 12 in all)";
    return std::nullopt;
  }
  if (!host_id3_given) b.host_id3 = b.result_id;
  return b;
}

std::optional<HostBlock> TakeHostBlock(std::size_t id_length, std::string& error) {
  RecordArrays arrays;
  const int64_t err = ReadRecord(kBlockObject, kBlockRecord, kBlockTextLength, arrays);
  if (err != 0) {
    error = "the block file holds no record \"HOST_BLOCK\" (repository error " +
            std::to_string(err) + ")";
    return std::nullopt;
  }
  DeleteObject(kBlockObject);
  return ParseHostBlock(arrays.svals, id_length, error);
}

}  // namespace host
