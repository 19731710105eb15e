// A printer for the print job's tests: while one lives, every document call
// goes to it. It hands out enhanced-metafile contexts as printer contexts,
// logs every call, marks each page start and end in the metafile with a
// GdiComment, calls the job's abort procedure from StartPage and EndPage
// (answering SP_APPABORT when it says stop), can refuse any k-th call or
// press the progress dialog's Cancel at it, and keeps each context's
// metafile when the context is deleted. Like a printer, it refuses an abort
// procedure and a document on a context it did not hand out.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <commdlg.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "include/document_calls.h"
#include "tests/common/metafile_records.h"

class DocumentDouble {
 public:
  struct Call {
    std::string name;  // "CreateDCA", "DeleteDC", "SetAbortProc", "StartDocA", "Escape",
                       // "StartPage", "EndPage", "EndDoc", "AbortDoc"
    HDC dc;
    std::string detail;  // CreateDCA: "driver|device|port"; StartDocA: the document name
    int answer;
  };

  DocumentDouble() {
    current() = this;
    previous_ = SetDocumentCalls(
        {CreateDc, DeleteDc, SetAbort, StartDoc, EscapeCall, StartPg, EndPg, EndDc, AbortDc});
  }
  ~DocumentDouble() {
    SetDocumentCalls(previous_);
    for (auto& [dc, live] : live_) DeleteEnhMetaFile(CloseEnhMetaFile(dc));
    current() = nullptr;
  }
  DocumentDouble(const DocumentDouble&) = delete;
  DocumentDouble& operator=(const DocumentDouble&) = delete;

  // The k-th document call (from 1, counting every call) is refused.
  int fail_call = 0;
  // At the k-th call the progress dialog's Cancel is pressed (a WM_COMMAND
  // posted to it), before the call is answered.
  int cancel_call = 0;

  std::vector<Call> calls;
  // The metafile of each deleted context, in the order of deletion.
  std::vector<EmfRecords> pages;
  int deletes_of_unknown_contexts = 0;
  int end_docs_with_a_sheet_open = 0;

  // A printer context as the print dialog hands one out; logged as CreateDCA.
  HDC NewDc() { return CreateDc("winspool", "Test Printer", "LPT1:", nullptr); }

  std::vector<std::string> names() const {
    std::vector<std::string> out;
    for (const Call& c : calls) out.push_back(c.name);
    return out;
  }
  int count(const std::string& name) const {
    return static_cast<int>(
        std::count_if(calls.begin(), calls.end(), [&](const Call& c) { return c.name == name; }));
  }
  int live_contexts() const { return static_cast<int>(live_.size()); }
  int created() const { return created_; }
  // The started document was ended or aborted exactly once, or none was
  // started and none ended or aborted.
  bool EachDocumentClosedOnce() const {
    int started = 0;
    int ended = 0;
    int aborted = 0;
    for (const Call& c : calls) {
      if ((c.name == "StartDocA" || (c.name == "Escape" && c.detail == "STARTDOC")) && c.answer > 0)
        ++started;
      if (c.name == "EndDoc" && c.answer > 0) ++ended;
      if (c.name == "AbortDoc") ++aborted;
    }
    return ended + aborted == started;
  }
  // The progress dialog of this thread, if one is there.
  static HWND FindDialog() {
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM l) {
          char name[16] = {};
          GetClassNameA(w, name, sizeof name);
          if (std::string(name) != "#32770") return TRUE;
          *reinterpret_cast<HWND*>(l) = w;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
  }

 private:
  struct Live {
    ABORTPROC abort = nullptr;
    bool sheet_open = false;
  };

  static DocumentDouble*& current() {
    static DocumentDouble* instance = nullptr;
    return instance;
  }
  // Counts the call; answers whether it is refused.
  bool Next() {
    ++calls_made_;
    if (calls_made_ == cancel_call)
      if (HWND dialog = FindDialog()) PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    return calls_made_ == fail_call;
  }
  int Log(const char* name, HDC dc, int answer, std::string detail = "") {
    calls.push_back({name, dc, std::move(detail), answer});
    return answer;
  }
  static void Mark(HDC dc, const char* text) {
    GdiComment(dc, static_cast<UINT>(std::string(text).size()),
               reinterpret_cast<const BYTE*>(text));
  }
  // The job's abort procedure, as the platform calls it around a page.
  bool GoOn(HDC dc) {
    auto it = live_.find(dc);
    return it == live_.end() || !it->second.abort || it->second.abort(dc, 0);
  }

  static HDC CreateDc(LPCSTR driver, LPCSTR device, LPCSTR port, const DEVMODEA*) {
    DocumentDouble* self = current();
    const std::string detail = std::string(driver ? driver : "(null)") + "|" +
                               (device ? device : "(null)") + "|" + (port ? port : "(null)");
    HDC dc = nullptr;
    if (!self->Next() && device && *device)
      dc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    if (dc) {
      self->live_[dc] = {};
      ++self->created_;
    }
    self->calls.push_back({"CreateDCA", dc, detail, dc ? 1 : 0});
    return dc;
  }
  static BOOL DeleteDc(HDC dc) {
    DocumentDouble* self = current();
    self->Next();
    auto it = self->live_.find(dc);
    if (it == self->live_.end()) {
      ++self->deletes_of_unknown_contexts;
      return self->Log("DeleteDC", dc, FALSE);
    }
    self->live_.erase(it);
    HENHMETAFILE emf = CloseEnhMetaFile(dc);
    self->pages.emplace_back(emf);
    DeleteEnhMetaFile(emf);
    return self->Log("DeleteDC", dc, TRUE);
  }
  // A printer answers 0 for a context it did not hand out (or none), so a
  // job that forgot to test its context stops here instead of printing on.
  static int SetAbort(HDC dc, ABORTPROC proc) {
    DocumentDouble* self = current();
    if (self->Next()) return self->Log("SetAbortProc", dc, SP_ERROR);
    auto it = self->live_.find(dc);
    if (it == self->live_.end()) return self->Log("SetAbortProc", dc, 0);
    it->second.abort = proc;
    return self->Log("SetAbortProc", dc, 1);
  }
  static int StartDoc(HDC dc, const DOCINFOA* doc) {
    DocumentDouble* self = current();
    const std::string name = doc && doc->lpszDocName ? doc->lpszDocName : "(null)";
    if (self->Next()) return self->Log("StartDocA", dc, SP_ERROR, name);
    return self->Log("StartDocA", dc, self->live_.count(dc) ? 1 : 0, name);
  }
  static int EscapeCall(HDC dc, int code, int, LPCSTR, LPVOID) {
    DocumentDouble* self = current();
    const std::string what = code == STARTDOC ? "STARTDOC" : "other";
    if (self->Next()) return self->Log("Escape", dc, 0, what);
    return self->Log("Escape", dc, self->live_.count(dc) ? 1 : 0, what);
  }
  static int StartPg(HDC dc) {
    DocumentDouble* self = current();
    if (self->Next()) return self->Log("StartPage", dc, SP_ERROR);
    if (!self->GoOn(dc)) return self->Log("StartPage", dc, SP_APPABORT);
    Mark(dc, "StartPage");
    if (auto it = self->live_.find(dc); it != self->live_.end()) it->second.sheet_open = true;
    return self->Log("StartPage", dc, 1);
  }
  static int EndPg(HDC dc) {
    DocumentDouble* self = current();
    if (self->Next()) return self->Log("EndPage", dc, SP_ERROR);
    if (!self->GoOn(dc)) return self->Log("EndPage", dc, SP_APPABORT);
    Mark(dc, "EndPage");
    if (auto it = self->live_.find(dc); it != self->live_.end()) it->second.sheet_open = false;
    return self->Log("EndPage", dc, 1);
  }
  static int EndDc(HDC dc) {
    DocumentDouble* self = current();
    if (auto it = self->live_.find(dc); it != self->live_.end() && it->second.sheet_open)
      ++self->end_docs_with_a_sheet_open;
    return self->Log("EndDoc", dc, self->Next() ? SP_ERROR : 1);
  }
  static int AbortDc(HDC dc) {
    DocumentDouble* self = current();
    return self->Log("AbortDoc", dc, self->Next() ? SP_ERROR : 1);
  }

  DocumentCalls previous_;
  std::map<HDC, Live> live_;
  int calls_made_ = 0;
  int created_ = 0;
};

// How the person at the print dialog answers: the first call (the default
// printer's settings) with a device mode and names, the second with a
// context from the document double, the flags, the page range and copies.
struct PrintDialogAnswer {
  bool has_default = true;  // false: the first call answers 0
  bool confirms = true;     // false: the second call answers 0 (Cancel)
  bool gives_dc = true;
  DWORD flags = 0;  // PD_PAGENUMS for a range
  WORD from_page = 1;
  WORD to_page = 1;
  WORD copies = 1;
};

inline std::function<BOOL(PRINTDLGA*)> AnswerPrintDialog(DocumentDouble& printer,
                                                         PrintDialogAnswer answer) {
  return [&printer, answer](PRINTDLGA* dialog) -> BOOL {
    if (dialog->Flags & PD_RETURNDEFAULT) {
      if (!answer.has_default) return FALSE;
      dialog->hDevMode = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DEVMODEA));
      auto* mode = static_cast<DEVMODEA*>(GlobalLock(dialog->hDevMode));
      mode->dmSize = sizeof(DEVMODEA);
      mode->dmOrientation = DMORIENT_PORTRAIT;
      GlobalUnlock(dialog->hDevMode);
      dialog->hDevNames = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DEVNAMES) + 64);
      return TRUE;
    }
    if (!answer.confirms) return FALSE;
    dialog->hDC = answer.gives_dc ? printer.NewDc() : nullptr;
    dialog->Flags = (dialog->Flags & ~DWORD{PD_PAGENUMS}) | answer.flags;
    dialog->nFromPage = answer.from_page;
    dialog->nToPage = answer.to_page;
    dialog->nCopies = answer.copies;
    return TRUE;
  };
}
