// Pictures loaded from the references of a template header, and their release.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "report/drawing/drawing_memory_face.h"
#include "report/drawing/pictures_face.h"
#include "runenv/run_folders_face.h"
#include "tests/common/modal_ui_double.h"
#include "tests/drawing/drawing_scratch.h"
#include "tests/drawing/picture_files.h"

namespace {

class PagePicturesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::strcpy(FOLDER_BUFFERS.program_folder, program_.folder().c_str());
    GetCurrentDirectoryA(sizeof previous_, previous_);
    SetCurrentDirectoryA(current_.folder().c_str());
    program_.Write("A.WMF", LineMetafileBits(0, 0, 10, 10));
    program_.Write("B.WMF", LineMetafileBits(0, 0, 20, 20));
    live_ = LiveDrawingMemory();
  }
  void TearDown() override {
    FreePictures();
    PICTURES_UNDER_TEXT = 1;
    SetCurrentDirectoryA(previous_);
    FOLDER_BUFFERS.program_folder[0] = '\0';
    EXPECT_EQ(LiveDrawingMemory(), live_);
  }

  DrawingScratch program_;
  DrawingScratch current_;
  ModalUiDouble ui_;
  char previous_[MAX_PATH] = {};
  int64_t live_ = 0;
};

// A drawing is taken from the current folder when it is there, else from
// the program folder.
TEST_F(PagePicturesTest, DrawingFromTheCurrentFolderFirst) {
  program_.Write("PLATE.DQD", CommandLine('M'));
  PICTURE_RECORD picture{};
  ASSERT_EQ(LoadPictureReference(&picture, "PLATE 1 3 40 20", 0, 1), 1);
  EXPECT_EQ(picture.kind, PICTURE_DRAWING);
  EXPECT_EQ(picture.first_cell, 160);
  EXPECT_EQ(picture.last_cell, 1559);
  EXPECT_EQ(picture.drawing.record_count, 1);
  FreePicture(&picture);
  EXPECT_EQ(picture.kind, PICTURE_NONE);
  EXPECT_EQ(picture.drawing.records, nullptr);

  current_.Write("PLATE.DQD", CommandLine('M') + CommandLine('D', 10000));
  ASSERT_EQ(LoadPictureReference(&picture, "PLATE 1 3 40 20", 80, 1), 1);
  EXPECT_EQ(picture.drawing.record_count, 2);
  EXPECT_EQ(picture.first_cell, 240);
  FreePicture(&picture);
}

TEST_F(PagePicturesTest, MetafilesOnlyFromTheProgramFolder) {
  ASSERT_TRUE(WriteFilledEmf(current_.path("LOGO.EMF")));
  PICTURE_RECORD picture{};
  EXPECT_EQ(LoadPictureReference(&picture, "LOGO.EMF 41 1 80 10", 0, 1), 0);
  ASSERT_TRUE(WriteFilledEmf(program_.path("LOGO.EMF")));
  ASSERT_EQ(LoadPictureReference(&picture, "LOGO.EMF 41 1 80 10", 0, 1), 1);
  EXPECT_EQ(picture.kind, PICTURE_ENHANCED_METAFILE);
  EXPECT_NE(picture.metafile, nullptr);
  FreePicture(&picture);
}

TEST_F(PagePicturesTest, TenPicturesAtMost) {
  std::string header;
  for (int i = 0; i < 11; ++i) header += "<A.WMF 1 1 10 5>";
  LoadPagePictures(header.c_str());
  EXPECT_EQ(PICTURE_LIST.count, 10);
  EXPECT_EQ(FreePictures(), 10);
  EXPECT_EQ(PICTURE_LIST.count, 0);
  EXPECT_EQ(PICTURE_LIST.pictures[9].kind, PICTURE_NONE);
}

TEST_F(PagePicturesTest, TheLastBracketKindDecidesWhereThePicturesGo) {
  LoadPagePictures("<A.WMF 1 1 10 5> {B.WMF 1 6 10 9}");
  ASSERT_EQ(PICTURE_LIST.count, 2);
  EXPECT_EQ(PICTURES_UNDER_TEXT, 0);
  EXPECT_EQ(PICTURE_LIST.pictures[1].first_cell, 400);
  FreePictures();
  LoadPagePictures("{B.WMF 1 6 10 9} <A.WMF 1 1 10 5>");
  ASSERT_EQ(PICTURE_LIST.count, 1);
  EXPECT_EQ(PICTURE_LIST.pictures[0].first_cell, 0);
  EXPECT_EQ(PICTURES_UNDER_TEXT, 1);
}

// References that do not load are passed over without a message.
TEST_F(PagePicturesTest, ReferencesThatDoNotLoadAreLeftOut) {
  program_.Write("X.TXT", "text");
  LoadPagePictures(("<X.TXT 1 1 2 2><MISSING.WMF 1 1 2 2><A.WMF 1 1 2><A.WMF 0 1 2 2><" +
                    std::string(76, 'N') + ".WMF 1 1 2 2><B.WMF 3 1 4 2>")
                       .c_str());
  ASSERT_EQ(PICTURE_LIST.count, 1);
  EXPECT_EQ(PICTURE_LIST.pictures[0].first_cell, 2);
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(PagePicturesTest, OnlyTheFirst255CharactersAreRead) {
  LoadPagePictures((std::string(240, ' ') + "<A.WMF 1 1 10 5>").c_str());
  EXPECT_EQ(PICTURE_LIST.count, 0);
  LoadPagePictures((std::string(239, ' ') + "<A.WMF 1 1 10 5>").c_str());
  EXPECT_EQ(PICTURE_LIST.count, 1);
}

// A list its caller did not empty is released, not lost.
TEST_F(PagePicturesTest, LoadingAgainReleasesTheEarlierPictures) {
  program_.Write("PLATE.DQD", CommandLine('M'));
  LoadPagePictures("<PLATE 1 1 10 5>");
  ASSERT_EQ(PICTURE_LIST.count, 1);
  LoadPagePictures("<PLATE 1 1 10 5>");
  EXPECT_EQ(PICTURE_LIST.count, 1);
  EXPECT_EQ(LiveDrawingMemory(), live_ + 1);
}

}  // namespace
