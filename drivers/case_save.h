// Saving and closing the case that a connection's server holds.
#pragma once

#include <cstdint>

#include "include/case_server.h"

// Saves the loaded case to the host's case path, then closes the case. The
// path the server answers goes back into the host's text when the save is
// done and the path is not empty and fits with its NUL. Answers whether the
// server reported the case file written and it is there.
bool SaveAndCloseCase(CaseServer* server, char* case_path, int64_t case_path_len);
