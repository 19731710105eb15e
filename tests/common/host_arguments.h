// The host's arguments of one block for input, execute and output calls:
// HOST_IDS as a run of blank-padded elements, HOST_OPTIONS, the case path as
// a text that carries its NUL, and the connection key.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "drivers/drivers_face.h"

namespace driver_test {

struct HostBlock {
  int64_t ids_len = 24;
  // HOST_IDS(1) to (20): result object, (3), the four streams, curve ids from
  // (8) on, unit input object.
  std::vector<std::string> ids = {"RESULT", "", "ID3", "HOTIN", "COLDIN", "HOTOUT", "COLDOUT",
                                  "",       "", "",    "",      "",       "",       "",
                                  "",       "", "",    "",      "",       "UNIT"};
  std::vector<int64_t> options = std::vector<int64_t>(12, 0);
  std::string key = "BLOCK1";
  int64_t case_path_len = 256;

  // Places the curve ids from HOST_IDS(8) on: the hot ones, then the cold ones.
  void SetCurves(const std::vector<std::string>& hot, const std::vector<std::string>& cold) {
    std::size_t k = 7;
    for (const std::string& id : hot) ids.at(k++) = id;
    for (const std::string& id : cold) ids.at(k++) = id;
  }

  std::string PackedIds() const {
    std::string packed;
    for (const std::string& id : ids) {
      std::string element = id.substr(0, static_cast<std::size_t>(ids_len));
      element.resize(static_cast<std::size_t>(ids_len), ' ');
      packed += element;
    }
    return packed;
  }

  // The path, its NUL, then blanks up to the host length.
  std::string CasePathText(const std::string& path) const {
    std::string text = path;
    text.push_back('\0');
    text.resize(static_cast<std::size_t>(case_path_len), ' ');
    return text;
  }
};

// The three calls as their entry points make them, with the case path's text
// held by the caller so a test sees what the driver left in it.
struct HostCall {
  HostBlock block;
  std::string case_text;

  int64_t Input(const std::string& path) { return Status(HANDLE_INPUT, path); }
  int64_t Output(const std::string& path) { return Status(HANDLE_OUTPUT, path); }

  // Answers the message count; the codes land in codes.
  int64_t Execute(const std::string& path, std::vector<int64_t>& codes) {
    Args a(*this, path);
    int64_t message_count = 0;
    HANDLE_EXECUTE(&a.ids_count, a.ids.data(), block.ids_len, &a.option_count, block.options.data(),
                   &a.real_count, a.reals, nullptr, case_text.data(),
                   static_cast<int64_t>(case_text.size()), a.key.data(),
                   static_cast<int64_t>(a.key.size()), &message_count, codes.data());
    return message_count;
  }

 private:
  struct Args {
    Args(HostCall& call, const std::string& path)
        : ids(call.block.PackedIds()),
          key(call.block.key),
          ids_count(static_cast<int64_t>(call.block.ids.size())),
          option_count(static_cast<int64_t>(call.block.options.size())) {
      call.case_text = call.block.CasePathText(path);
    }
    std::string ids, key;
    int64_t ids_count, option_count, real_count = 1;
    double reals[1] = {0.0};
  };

  template <class Driver>
  int64_t Status(Driver driver, const std::string& path) {
    Args a(*this, path);
    int64_t status = -1;  // the entry point has cleared it; the driver must set it
    driver(&a.ids_count, a.ids.data(), block.ids_len, &a.option_count, block.options.data(),
           &a.real_count, a.reals, nullptr, case_text.data(),
           static_cast<int64_t>(case_text.size()), a.key.data(), static_cast<int64_t>(a.key.size()),
           &status);
    return status;
  }
};

}  // namespace driver_test
