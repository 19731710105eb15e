#include "standins/caseserver/server_state.h"

#include "standins/caseserver/dispatch_object.h"

void ServerState::ReleaseObjects() {
  // The cache's references are the server's own; a caller's stay counted.
  const OwnReleases own;
  // Move the references out first: a release may end an object, and with it
  // its share of this state.
  IDispatch* data = std::exchange(case_data_object, nullptr);
  IDispatch* collections[kCollectionCount];
  for (int i = 0; i < kCollectionCount; ++i)
    collections[i] = std::exchange(collection_objects[i], nullptr);
  auto variables = std::move(variable_objects);
  variable_objects.clear();

  for (auto& [key, object] : variables) object->Release();
  for (IDispatch* c : collections)
    if (c) c->Release();
  if (data) data->Release();
}
