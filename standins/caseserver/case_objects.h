// The objects of one server: the server itself, its case data object, the four
// variable collections and one object per variable. Asking again for the same
// role gives the same object, so a caller that never releases what it is
// handed costs nothing more however often it asks.
#pragma once

#include <memory>
#include <string_view>

#include "include/case_server.h"
#include "standins/caseserver/server_state.h"

// An operation on a variable that the case no longer holds (removed by the
// probe, or absent from the case file loaded since).
inline constexpr HRESULT CASE_E_NO_VARIABLE = HRESULT_FROM_WIN32(ERROR_NOT_FOUND);

// Each answers a new reference.
CaseServer* NewCaseServerObject(std::shared_ptr<ServerState> server);
CaseData* CaseDataObjectOf(const std::shared_ptr<ServerState>& server);
IDispatch* CollectionObjectOf(const std::shared_ptr<ServerState>& server, Collection collection);
// The references to the server's case data object that callers hold, beside
// the server's own; -1 when the server has handed none out.
int CaseDataReferencesHeld(const ServerState& server);
IDispatch* VariableObjectOf(const std::shared_ptr<ServerState>& server, Collection collection,
                            std::string_view name);

// A fresh BSTR of an ANSI text into an out argument.
HRESULT PutOutText(BSTR* out, std::string_view text);
