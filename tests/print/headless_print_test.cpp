// Printing and preview where there is no display at all: the progress
// dialog cannot be made, and a Windows metafile measures no text.
#include <gtest/gtest.h>

#include <string>

#include "report/print/print_job.h"
#include "report/print/sheet_rendering.h"
#include "tests/common/document_double.h"
#include "tests/common/metafile_records.h"
#include "tests/common/modal_ui_double.h"
#include "tests/print/sheet_page.h"

TEST(NoDisplay, TheProgressDialogCannotBeMadeAndNoJobStarts) {
  ModalUiDouble user;
  DocumentDouble printer;
  user.print_answer = AnswerPrintDialog(printer, {});
  PRINT_JOB = {};
  EXPECT_EQ(PrintStep(nullptr, GetModuleHandleA(nullptr), "INITIALIZATION", 0, 0, 0), 0);
  ASSERT_EQ(user.texts(), std::vector<std::string>{"Unable to create a message dialog."});
  EXPECT_EQ(printer.live_contexts(), 0);
  EXPECT_EQ(printer.count("SetAbortProc"), 0);
}

TEST(NoDisplay, AWindowsMetafileMeasuresNoCellAndDrawsNoPictureButItsTextAndLines) {
  HDC recording = CreateMetaFileA(nullptr);
  ASSERT_NE(recording, nullptr);
  CELL_SIZE cell{-1, -1};
  CreatePrintFonts(recording, &cell);
  EXPECT_EQ(cell.width, 0);
  EXPECT_EQ(cell.height, 0);
  PICTURE_RECORD picture{};
  picture.kind = PICTURE_DRAWING;
  EXPECT_EQ(DrawPictureInCells(&picture, nullptr, recording, cell, 1), 0);
  EmptyPage();
  PutRow(0, "Flow rate ......: 12.5");
  PutRow(1, "|----|");
  DrawPageBody(recording, 2, {20, 30});
  HMETAFILE metafile = CloseMetaFile(recording);
  const std::vector<WmfRecord> records = ReadWmfRecords(metafile);
  DeleteMetaFile(metafile);
  int texts = 0;
  int lines = 0;
  for (const WmfRecord& r : records) {
    texts += r.function == META_EXTTEXTOUT || r.function == META_TEXTOUT;
    lines += r.function == META_LINETO;
  }
  EXPECT_EQ(texts, 1);
  EXPECT_GE(lines, 1);
  DeletePrintFonts();
}
