#include "standins/bench/emf_printer.h"

#include "standins/bench/bench_timing.h"

namespace bench {

EmfPrinter::EmfPrinter() {
  current() = this;
  previous_calls_ = SetDocumentCalls(
      {CreateDc, DeleteDc, SetAbort, StartDoc, EscapeCall, StartPg, EndPg, EndDc, AbortDc});
  previous_ui_ = SetModalUi({OnMessageBox, OnPrintDialog});
}

EmfPrinter::~EmfPrinter() {
  SetModalUi(previous_ui_);
  SetDocumentCalls(previous_calls_);
  if (live_) DeleteEnhMetaFile(CloseEnhMetaFile(live_));
  current() = nullptr;
}

void EmfPrinter::Clear() {
  sheet_ends.clear();
  sheets = documents_ended = documents_aborted = metafile_bytes = 0;
}

EmfPrinter*& EmfPrinter::current() {
  static EmfPrinter* instance = nullptr;
  return instance;
}

bool EmfPrinter::GoOn(HDC dc) const { return dc != live_ || !abort_ || abort_(dc, 0); }

HDC EmfPrinter::CreateDc(LPCSTR, LPCSTR device, LPCSTR, const DEVMODEA*) {
  EmfPrinter* self = current();
  if (self->live_ || !device || !*device) return nullptr;
  self->live_ = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
  self->abort_ = nullptr;
  return self->live_;
}

BOOL EmfPrinter::DeleteDc(HDC dc) {
  EmfPrinter* self = current();
  if (!dc || dc != self->live_) return FALSE;
  self->live_ = nullptr;
  const HENHMETAFILE emf = CloseEnhMetaFile(dc);
  self->metafile_bytes = emf ? GetEnhMetaFileBits(emf, 0, nullptr) : 0;
  DeleteEnhMetaFile(emf);
  return TRUE;
}

int EmfPrinter::SetAbort(HDC dc, ABORTPROC proc) {
  EmfPrinter* self = current();
  // As a printer does: an unknown context has no document to abort.
  if (!dc || dc != self->live_) return 0;
  self->abort_ = proc;
  return 1;
}

int EmfPrinter::StartDoc(HDC dc, const DOCINFOA*) { return dc && dc == current()->live_ ? 1 : 0; }

int EmfPrinter::EscapeCall(HDC dc, int, int, LPCSTR, LPVOID) {
  return dc && dc == current()->live_ ? 1 : 0;
}

int EmfPrinter::StartPg(HDC dc) {
  EmfPrinter* self = current();
  if (dc != self->live_) return SP_ERROR;
  return self->GoOn(dc) ? 1 : SP_APPABORT;
}

int EmfPrinter::EndPg(HDC dc) {
  EmfPrinter* self = current();
  if (dc != self->live_) return SP_ERROR;
  if (!self->GoOn(dc)) return SP_APPABORT;
  ++self->sheets;
  self->sheet_ends.push_back(Now());
  return 1;
}

int EmfPrinter::EndDc(HDC dc) {
  EmfPrinter* self = current();
  if (dc != self->live_) return SP_ERROR;
  ++self->documents_ended;
  return 1;
}

int EmfPrinter::AbortDc(HDC dc) {
  EmfPrinter* self = current();
  if (dc != self->live_) return SP_ERROR;
  ++self->documents_aborted;
  return 1;
}

int EmfPrinter::OnMessageBox(HWND, const char*, const char*, UINT) {
  ++current()->messages;
  return IDOK;
}

// The default printer's settings first, then the whole report on one of
// the printer's contexts, one copy.
BOOL EmfPrinter::OnPrintDialog(PRINTDLGA* dialog) {
  if (dialog->Flags & PD_RETURNDEFAULT) {
    dialog->hDevMode = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DEVMODEA));
    if (auto* mode = static_cast<DEVMODEA*>(GlobalLock(dialog->hDevMode))) {
      mode->dmSize = sizeof(DEVMODEA);
      mode->dmOrientation = DMORIENT_PORTRAIT;
      GlobalUnlock(dialog->hDevMode);
    }
    dialog->hDevNames = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DEVNAMES) + 64);
    return TRUE;
  }
  dialog->hDC = CreateDc("winspool", "Benchmark Printer", "LPT1:", nullptr);
  dialog->Flags &= ~DWORD{PD_PAGENUMS};
  dialog->nCopies = 1;
  return dialog->hDC != nullptr;
}

}  // namespace bench
