// The printed document's calls into the platform: the printer device
// context, the abort procedure, the document and its pages. They go through
// one replaceable table, so that a job can be run against a stand-in page
// (an enhanced metafile) and its calls watched, with no printer.
#pragma once

#include <windows.h>

struct DocumentCalls {
  HDC (*create_dc)(LPCSTR driver, LPCSTR device, LPCSTR port, const DEVMODEA* init);
  BOOL (*delete_dc)(HDC dc);
  int (*set_abort_proc)(HDC dc, ABORTPROC proc);
  int (*start_doc)(HDC dc, const DOCINFOA* doc);
  int (*escape)(HDC dc, int code, int in_size, LPCSTR in, LPVOID out);
  int (*start_page)(HDC dc);
  int (*end_page)(HDC dc);
  int (*end_doc)(HDC dc);
  int (*abort_doc)(HDC dc);
};

// CreateDCA, DeleteDC, SetAbortProc, StartDocA, Escape, StartPage, EndPage,
// EndDoc and AbortDoc.
extern const DocumentCalls PLATFORM_DOCUMENT_CALLS;
// The table in use; the platform's at load.
extern DocumentCalls DOCUMENT_CALLS;

// Installs a table and answers the one it replaces. A null member stands for
// the platform's call.
DocumentCalls SetDocumentCalls(const DocumentCalls& calls);
