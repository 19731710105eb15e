// The host's own side of the case repository: it writes the block's records
// before the library's calls and reads the performance record after them,
// through the same Lumbra.dll calls the library makes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace host {

// The six arrays of one record; texts of the element length they were read with.
struct RecordArrays {
  std::vector<int64_t> ivals;
  std::vector<uint64_t> xvals2;
  std::vector<double> rvals;
  std::vector<uint64_t> xvals4;
  std::vector<std::string> svals;
  std::vector<uint64_t> xvals6;
};

// The most elements of one array the host reads back; a record that states
// more is not one the host wrote.
inline constexpr int64_t kMostElements = int64_t{1} << 24;

// Loads a file of the repository's text format (RPREAD); answers the error word.
int64_t LoadRepositoryFile(const std::string& path);
bool ObjectExists(std::string_view id);
// Creates an empty object of a class (RPNEW); answers the error word.
int64_t CreateObject(std::string_view id, std::string_view cls);
int64_t DeleteObject(std::string_view id);
// Reads a record whole, texts of text_len characters with their trailing
// blanks dropped. Answers the repository's error word, or 7 when a count is
// negative or above kMostElements (nothing is read then).
int64_t ReadRecord(std::string_view id, std::string_view record, int64_t text_len,
                   RecordArrays& arrays);
// Stores a record with the arrays' own sizes as counts; answers the error word.
int64_t PutRecord(std::string_view id, std::string_view record, const RecordArrays& arrays,
                  int64_t text_len);

}  // namespace host
