// One exchanger block's arguments as the host passes them, and the calls of
// the six entry points with them.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string_view>

#include "include/entry_points.h"

// Bytes that end right before a page the process may not touch, so that
// reading one byte past them is an access violation.
class GuardedBytes {
 public:
  static constexpr std::size_t kPage = 4096;
  GuardedBytes() {
    base_ = static_cast<char*>(
        VirtualAlloc(nullptr, 2 * kPage, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    DWORD old = 0;
    VirtualProtect(base_ + kPage, kPage, PAGE_NOACCESS, &old);
  }
  ~GuardedBytes() { VirtualFree(base_, 0, MEM_RELEASE); }
  GuardedBytes(const GuardedBytes&) = delete;
  GuardedBytes& operator=(const GuardedBytes&) = delete;

  char* Place(std::string_view bytes) {
    char* at = base_ + kPage - bytes.size();
    std::memcpy(at, bytes.data(), bytes.size());
    return at;
  }

 private:
  char* base_ = nullptr;
};

struct HostBlock {
  static constexpr int64_t kIdLength = 128;
  static constexpr int64_t kKeyLength = 20;

  int64_t ids_count = 20;
  char host_ids[20 * kIdLength];
  int64_t option_count = 12;
  int64_t host_options[12] = {};
  int64_t real_count = 4;
  double host_reals[4] = {};
  int64_t further = 0;
  GuardedBytes path_page;
  char* case_path = nullptr;
  int64_t case_path_len = 0;
  char connection_key[kKeyLength];
  int64_t host_status = 77;
  int64_t message_count = 55;
  int64_t message_codes[50] = {};
  // hcurve
  int64_t side = 1;
  int64_t request_count = 8;
  int64_t hcurve_request[8] = {};
  int64_t value_count = 8;
  double hcurve_values[8] = {};
  int64_t count = 0;
  char text[8] = {};
  // multi-case
  char first[40];
  char second[40];

  HostBlock() {
    std::memset(host_ids, ' ', sizeof host_ids);
    std::memset(connection_key, ' ', sizeof connection_key);
    std::memcpy(connection_key, "KEY1", 4);
    std::memset(first, 'A', sizeof first);
    std::memset(second, 'B', sizeof second);
    SetCasePath(std::string_view("D:\\CASES\\PLANT.QXN\0", 19));
  }
  HostBlock(const HostBlock&) = delete;
  HostBlock& operator=(const HostBlock&) = delete;

  // The host's case path field: exactly these bytes, their number its host length.
  void SetCasePath(std::string_view bytes) {
    case_path = path_page.Place(bytes);
    case_path_len = static_cast<int64_t>(bytes.size());
  }

  void Input() {
    ZOVK_VODI_INPUT(&ids_count, host_ids, &option_count, host_options, &real_count, host_reals,
                    &further, case_path, connection_key, &host_status, kIdLength, case_path_len,
                    kKeyLength);
  }
  void Execute() {
    ZOVK_VODI_EXECUTE(&ids_count, host_ids, &option_count, host_options, &real_count, host_reals,
                      &further, case_path, connection_key, &message_count, message_codes, kIdLength,
                      case_path_len, kKeyLength);
  }
  void Output() {
    ZOVK_VODI_OUTPUT(&ids_count, host_ids, &option_count, host_options, &real_count, host_reals,
                     &further, case_path, connection_key, &host_status, kIdLength, case_path_len,
                     kKeyLength);
  }
  void Hcurve() {
    ZOVK_VODI_HCURVE(&side, &ids_count, host_ids, &request_count, hcurve_request, &value_count,
                     hcurve_values, &count, text, &host_status, kIdLength, sizeof text);
  }
  void MultiCase() {
    ZOVK_SETMULTICASEINFO(first, second, connection_key, &host_status, sizeof first, sizeof second,
                          kKeyLength);
  }
  void Exit() { ZOVK_VODI_EXIT(); }
};
