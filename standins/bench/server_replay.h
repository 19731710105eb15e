// A bare replay of a recorded sequence of case server calls: the same calls,
// in the same order, with the same names, indices, texts and flags, made
// straight through the COM interfaces of a server of its own. What an execute
// call costs beyond its replay is the library's own work.
#pragma once

#include <string>
#include <vector>

#include "include/case_server.h"
#include "include/holders.h"
#include "standins/bench/server_log.h"

namespace bench {

class ServerReplay {
 public:
  // Prepares the calls once: every name and text becomes its BSTR here, and
  // every variable a call works on is tied to the lookup that found it. Each
  // sequence is a part of its own (an execute call's, then an output call's),
  // made by Run(part); the parts share the server, its case and the variables
  // they look up, as the calls of one connection do.
  explicit ServerReplay(const std::vector<std::vector<ServerCall>>& parts);

  // Creates the server and opens a case of the program, as a connection does.
  HRESULT Open();
  // Makes every call of a part once, in order, with the BSTRs made beforehand.
  void Run(std::size_t part);
  // Shuts the server down and releases everything it handed out.
  void Close();

  std::size_t size(std::size_t part) const { return parts_[part].size(); }

 private:
  struct Step {
    Operation operation;
    int collection;
    std::size_t slot;  // the variable's place in arrays_ or scalars_
    short index;
    int64_t number;
    std::string ansi;
    Bstr text;
  };

  void Make(Step& s);

  std::vector<std::vector<Step>> parts_;
  ComPtr<CaseServer> server_;
  ComPtr<CaseData> data_;
  ComPtr<ArrayVariables> array_collections_[4];
  ComPtr<ScalarVariables> scalar_collections_[4];
  std::vector<ComPtr<ArrayVariable>> arrays_;
  std::vector<ComPtr<ScalarVariable>> scalars_;
  Bstr answer_;
};

}  // namespace bench
