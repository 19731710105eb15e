// The plate geometry that the program designed, from the case's results into
// its geometry inputs, so that a kept run carries the designed exchanger as
// its input. Values cross unchanged, each input marked as given.
#include <cstdint>
#include <string_view>

#include "exchange/case_variables_face.h"
#include "exchange/exchange_face.h"

namespace {

// The plate's scalar dimensions, in the order they are read, each with the
// input that receives it.
struct ScalarGeometry {
  std::string_view result;
  std::string_view input;
};
constexpr ScalarGeometry kScalarsBeforePorts[] = {
    {"ChevronAngle", "ChevronAngleToHorizontal"},
    {"CompressedPlatePitch", "CompressedPlatePitch"},
    {"DoubleBankingOption", "DoubleBankingOption"},
    {"HorizontalPortCentreDistance", "HorizontalPortCentreDistance"},
};
constexpr ScalarGeometry kScalarsAfterPorts[] = {
    {"PlateThickness", "PlateThickness"},
    {"PlateWidth", "PlateWidth"},
    {"PortDiameter", "PortDiameter"},
};
constexpr ScalarGeometry kLastScalar = {"VerticalPortCentreDistance", "VerticalPortCentreDistance"};

constexpr int kMaxPasses = 5;
constexpr std::string_view kChannelsInPass[kMaxPasses] = {
    "NumberofChannelsInPass1", "NumberofChannelsInPass2", "NumberofChannelsInPass3",
    "NumberofChannelsInPass4", "NumberofChannelsInPass5",
};

// One two-sided value: hot side first.
struct SidePair {
  int64_t side[2];
};

// The working values of one call, all 0 until read.
struct DesignGeometry {
  double area = 0;  // "AreaOfPlate"
  double before_ports[4] = {};
  double after_ports[3] = {};
  double last = 0;
  SidePair inlet_port = {};
  SidePair passes = {};
  SidePair channels[kMaxPasses] = {};
  SidePair outlet_port = {};
  SidePair total_channels = {};
};
DesignGeometry DESIGN_GEOMETRY;

void ReadPair(ArrayVariables* results, std::string_view name, SidePair& pair) {
  const ComPtr<ArrayVariable> variable = FindVariable(results, name);
  GetIndexedInteger(variable.get(), HOT_SIDE, pair.side[0]);
  GetIndexedInteger(variable.get(), COLD_SIDE, pair.side[1]);
}

void WritePair(ArrayVariables* inputs, std::string_view name, const SidePair& pair) {
  const ComPtr<ArrayVariable> variable = FindVariable(inputs, name);
  PutIndexedInteger(variable.get(), HOT_SIDE, pair.side[0], 1);
  PutIndexedInteger(variable.get(), COLD_SIDE, pair.side[1], 1);
}

// The channel counts of a pass cross for both sides only when the hot side
// has that many passes: its pass count decides for the whole plate pack.
int CopiedPasses(const DesignGeometry& g) {
  const int64_t hot_passes = g.passes.side[0];
  return hot_passes < 0 ? 0 : hot_passes > kMaxPasses ? kMaxPasses : static_cast<int>(hot_passes);
}

}  // namespace

void COPY_DESIGN_GEOMETRY(CaseData** case_data, int64_t* /*error_word*/) {
  DesignGeometry& g = DESIGN_GEOMETRY;
  g = DesignGeometry{};

  const ComPtr<ScalarVariables> scalar_results = GetScalarResults(case_data);
  const ComPtr<ArrayVariables> array_results = GetArrayResults(case_data);

  // No plate area: the program designed nothing to copy.
  GetScalarReal(scalar_results.get(), "AreaOfPlate", g.area);
  if (g.area == 0) return;

  for (int i = 0; i < 4; ++i)
    GetScalarReal(scalar_results.get(), kScalarsBeforePorts[i].result, g.before_ports[i]);
  ReadPair(array_results.get(), "InletPortPoint", g.inlet_port);
  ReadPair(array_results.get(), "NumberofPasses", g.passes);
  const int passes = CopiedPasses(g);
  for (int n = 0; n < passes; ++n) ReadPair(array_results.get(), kChannelsInPass[n], g.channels[n]);
  ReadPair(array_results.get(), "OutletPortPoint", g.outlet_port);
  for (int i = 0; i < 3; ++i)
    GetScalarReal(scalar_results.get(), kScalarsAfterPorts[i].result, g.after_ports[i]);
  ReadPair(array_results.get(), "TotalNumberChannels", g.total_channels);
  GetScalarReal(scalar_results.get(), kLastScalar.result, g.last);

  const ComPtr<ScalarVariables> scalar_inputs = GetScalarInputs(case_data);
  const ComPtr<ArrayVariables> array_inputs = GetArrayInputs(case_data);

  PutScalarReal(scalar_inputs.get(), "AreaOfPlateS", g.area);
  for (int i = 0; i < 4; ++i)
    PutScalarReal(scalar_inputs.get(), kScalarsBeforePorts[i].input, g.before_ports[i]);
  for (int i = 0; i < 3; ++i)
    PutScalarReal(scalar_inputs.get(), kScalarsAfterPorts[i].input, g.after_ports[i]);
  PutScalarReal(scalar_inputs.get(), kLastScalar.input, g.last);

  WritePair(array_inputs.get(), "InletPortPoint", g.inlet_port);
  WritePair(array_inputs.get(), "OutletPortPoint", g.outlet_port);
  WritePair(array_inputs.get(), "TotalNumberChannels", g.total_channels);
  for (int n = 0; n < passes; ++n) WritePair(array_inputs.get(), kChannelsInPass[n], g.channels[n]);
  WritePair(array_inputs.get(), "NumberofPasses", g.passes);
}
