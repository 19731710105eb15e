// What one case server object holds, shared with the objects it hands out and
// with the probe, so that each stays usable for as long as anyone holds it.
#pragma once

#include <oaidl.h>
#include <windows.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "standins/caseserver/program_case.h"

struct ServerState {
  int number = 0;  // the probe's number of this server; 0 once a probe reset forgot it
  bool alive = true;
  bool shut_down = false;
  int server_mode = -1;  // none set yet
  bool case_open = false;
  int runs = 0;
  int case_data_held_at_shut_down = -1;
  std::optional<ProgramCase> program_case;  // none before a case is opened or loaded
  std::optional<std::string> multi_case[2];

  // The objects handed out, one per role, so that asking again gives the same
  // object. The cache holds one reference to each until the server is gone.
  IDispatch* case_data_object = nullptr;
  IDispatch* collection_objects[kCollectionCount] = {};
  std::map<std::pair<Collection, std::string>, IDispatch*> variable_objects;

  ~ServerState() { ReleaseObjects(); }
  // Drops the cache's references; objects the caller still holds stay usable.
  void ReleaseObjects();
};
