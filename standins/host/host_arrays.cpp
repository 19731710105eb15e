#include "standins/host/host_arrays.h"

#include "include/fixed_text.h"

namespace host {

HostIds::HostIds(int64_t count, int64_t length)
    : count_(count), length_(length), chars_(static_cast<std::size_t>(count * length), ' ') {}

void HostIds::set(int64_t index, std::string_view id) {
  fixed::AssignPadded(chars_.data() + (index - 1) * length_, static_cast<std::size_t>(length_), id);
}

std::string_view HostIds::at(int64_t index) const {
  return std::string_view(chars_).substr((index - 1) * length_, length_);
}

HostIds RunIds(const HostBlock& block) {
  HostIds ids(kHostIdCount, kHostIdLength);
  ids.set(1, block.result_id);
  ids.set(3, block.host_id3);
  ids.set(4, block.hot_in);
  ids.set(5, block.cold_in);
  ids.set(6, block.hot_out);
  ids.set(7, block.cold_out);
  int64_t next = 8;
  for (const std::string& curve : block.hot_curves) ids.set(next++, curve);
  for (const std::string& curve : block.cold_curves) ids.set(next++, curve);
  ids.set(20, block.unit_id);
  return ids;
}

HostIds HcurveIds(const HostBlock& block, int64_t side) {
  HostIds ids(kHostIdCount, kHostIdLength);
  ids.set(1, block.unit_id);
  ids.set(3, side == 2 ? block.cold_in : block.hot_in);
  ids.set(4, side == 2 ? block.cold_out : block.hot_out);
  return ids;
}

std::vector<int64_t> ExecuteOptions(const HostBlock& block) {
  std::vector<int64_t> options(kHostOptionCount, 0);
  options[0] = static_cast<int64_t>(block.hot_curves.size());
  options[1] = static_cast<int64_t>(block.cold_curves.size());
  options[2] = block.hot_property;
  options[3] = block.cold_property;
  return options;
}

std::vector<int64_t> OutputOptions(const HostBlock& block, int64_t output_mode) {
  std::vector<int64_t> options(kHostOptionCount, 0);
  options[1] = static_cast<int64_t>(block.hot_curves.size());
  options[2] = static_cast<int64_t>(block.cold_curves.size());
  options[7] = output_mode;
  options[10] = block.hot_property;
  options[11] = block.cold_property;
  return options;
}

HostText CasePathText(std::string_view path) {
  HostText text{std::string(path)};
  text.chars.push_back('\0');
  return text;
}

HostText KeyText(std::string_view key) {
  HostText text{std::string(key)};
  if (text.chars.size() < 20) text.chars.resize(20, ' ');
  return text;
}

}  // namespace host
