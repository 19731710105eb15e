// The loader stand-in's own state: what the library asked of it and what the
// probe overrides. One process, one thread at a time, like the host.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "standins/pravel/loader_probe.h"

struct PravelRecord {
  PravelObserver observer = nullptr;
  void* observer_context = nullptr;
  int64_t enter_module_count = 0;
  HMODULE last_module = nullptr;
  int64_t begin_input_count = 0;
  int32_t begin_input_first = 0;
  int32_t begin_input_second = 0;
  int64_t release_files_count = 0;
  int64_t set_case_path_count = 0;
  std::string last_case_path;
  int64_t last_case_path_host_length = 0;
  int64_t last_case_path_length = -1;
  std::vector<std::string> put_texts;
  uint32_t last_exception_code = 0;
};
extern PravelRecord PRAVEL_RECORD;

struct PravelOverrides {
  std::optional<std::string> program_folder;
  std::optional<std::string> run_name;
  std::optional<std::string> private_folder;
  int64_t private_folder_answer = -1;
  std::optional<std::string> work_folder;
};
extern PravelOverrides PRAVEL_OVERRIDES;

// Tells the observer, if any, which operation starts.
void NotifyObserver(const char* operation);

// Writes at most `length` characters of text into buffer and a NUL after them
// when room is left; answers the number of characters written.
int64_t CopyBounded(std::string_view text, char* buffer, int64_t length);
