#include "standins/lumbra/case_repository.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace lumbra {

CaseRepository CASE_REPOSITORY;

namespace {

// File names compare as Windows compares them, without regard to case.
bool SameFileName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

std::string_view FinalComponent(std::string_view path) {
  const std::size_t cut = path.find_last_of("\\/:");
  return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

std::string_view WithoutExtension(std::string_view name) {
  const std::size_t dot = name.find_last_of('.');
  return dot == std::string_view::npos ? name : name.substr(0, dot);
}

}  // namespace

void CaseRepository::log(std::initializer_list<std::string_view> parts) {
  std::string entry;
  for (std::string_view part : parts) {
    if (!entry.empty()) entry += '|';
    entry += part;
  }
  calls.push_back(std::move(entry));
}

Error CaseRepository::fail(Error error, std::string message) {
  last_error = std::move(message);
  return error;
}

bool CaseRepository::take_failing_read(std::string_view path) {
  // The failure may be asked for by the whole path, by the file's name or by
  // its name without extension ("B_DOVI" for "...\XEQ\B_DOVI.RPD").
  const std::string_view name = FinalComponent(path);
  auto it = std::find_if(failing_reads.begin(), failing_reads.end(), [&](const std::string& f) {
    return SameFileName(f, path) || SameFileName(f, name) ||
           SameFileName(f, WithoutExtension(name));
  });
  if (it == failing_reads.end()) return false;
  failing_reads.erase(it);
  return true;
}

void CaseRepository::reset() {
  store.clear();
  calls.clear();
  failing_reads.clear();
  last_error.clear();
}

}  // namespace lumbra
