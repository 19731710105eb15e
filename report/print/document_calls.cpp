// The one place where the print job reaches the platform's document calls.
#include "include/document_calls.h"

namespace {

HDC PlatformCreateDc(LPCSTR driver, LPCSTR device, LPCSTR port, const DEVMODEA* init) {
  return CreateDCA(driver, device, port, init);
}
int PlatformStartDoc(HDC dc, const DOCINFOA* doc) { return StartDocA(dc, doc); }

}  // namespace

const DocumentCalls PLATFORM_DOCUMENT_CALLS = {PlatformCreateDc, DeleteDC, SetAbortProc,
                                               PlatformStartDoc, Escape,   StartPage,
                                               EndPage,          EndDoc,   AbortDoc};
DocumentCalls DOCUMENT_CALLS = PLATFORM_DOCUMENT_CALLS;

DocumentCalls SetDocumentCalls(const DocumentCalls& calls) {
  const DocumentCalls previous = DOCUMENT_CALLS;
  const auto pick = [](auto mine, auto platform) { return mine ? mine : platform; };
  const DocumentCalls& p = PLATFORM_DOCUMENT_CALLS;
  DOCUMENT_CALLS = {pick(calls.create_dc, p.create_dc),
                    pick(calls.delete_dc, p.delete_dc),
                    pick(calls.set_abort_proc, p.set_abort_proc),
                    pick(calls.start_doc, p.start_doc),
                    pick(calls.escape, p.escape),
                    pick(calls.start_page, p.start_page),
                    pick(calls.end_page, p.end_page),
                    pick(calls.end_doc, p.end_doc),
                    pick(calls.abort_doc, p.abort_doc)};
  return previous;
}
