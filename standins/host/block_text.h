// Writes a block file: two water streams through a plate exchanger with their
// heat-release curves, the unit options and the host's description, in the
// repository's text format (standins/lumbra/README.md). A plain text core:
// the benchmark loads the text it makes, and examples/block1/block.rpd is one
// such text.
#pragma once

#include <cstdint>
#include <string>

namespace host {

// One side of the exchanger: its inlet, the outlet the host starts from, and
// the allowable pressure drop that spaces its curves' pressure levels.
struct SideShape {
  double flow;                // kg/s
  double inlet_temperature;   // K
  double outlet_temperature;  // K
  double inlet_pressure;      // Pa
  double allowable_drop;      // Pa
  double fouling;             // m2 K/W
};

struct BlockShape {
  std::string name = "PHE-101";  // prefix of every id
  std::string case_file = "BLOCK1.QXN";
  int hot_curves = 2;
  int cold_curves = 2;
  int points = 24;
  int64_t unit_mode = 3;
  SideShape hot{2.0, 363.15, 318.15, 3.0e5, 5.0e4, 2.0e-5};
  SideShape cold{3.0, 293.15, 323.15, 4.0e5, 6.0e4, 3.0e-5};
};

std::string MakeBlockText(const BlockShape& shape);

}  // namespace host
