// The report samples' pictures under examples/report/: each is what the
// picture tool makes from its drawing text with the library's routines, and
// each loads as the picture it is meant to be.
#include "examples/report/picture_tool/sample_pictures.h"

#include <gtest/gtest.h>

#include <string>

#include "report/drawing/drawing_container_face.h"
#include "report/drawing/drawing_memory_face.h"
#include "report/drawing/metafiles_face.h"
#include "report/drawing/pictures_face.h"
#include "runenv/run_folders_face.h"
#include "tests/common/scratch_folder.h"

namespace {

std::string Sample(const std::string& name) { return ReadBytes(ZOVK_REPORT_SAMPLES + name); }

class SamplePictures : public ::testing::Test {
 protected:
  void TearDown() override { FOLDER_BUFFERS = {}; }
};

TEST_F(SamplePictures, EachIsWhatTheToolMakesFromItsDrawingText) {
  ScratchFolder folder;
  for (const std::string& name : sample_pictures::SOURCES) {
    const std::string text = Sample(name);
    ASSERT_FALSE(text.empty()) << name;
    WriteBytes(folder / name, text);
  }
  ASSERT_TRUE(CreateDirectoryA((folder / "expected").c_str(), nullptr));
  EXPECT_TRUE(sample_pictures::MakeSamplePictures(folder.path()).empty());
  for (const std::string& name : sample_pictures::MADE) {
    const std::string made = ReadBytes(folder / name);
    EXPECT_FALSE(made.empty()) << name;
    EXPECT_TRUE(made == Sample(name)) << name << " is not the tool's output";
  }
}

// Every container holds the channel arrangement as its only drawing: its
// plates, streams and labels, a drawing twice as wide as high.
TEST_F(SamplePictures, TheContainersHoldTheChannelArrangement) {
  for (const char* name : {"PLATE.ZFD", "SAMPLE.ZFD", "expected\\ZOVK1.ZFD"}) {
    const std::string path = ZOVK_REPORT_SAMPLES + std::string(name);
    PICTURE_RECORD picture{};
    ASSERT_EQ(LoadPictureFile(&picture, path.c_str(), 1), 1) << name;
    EXPECT_EQ(picture.kind, PICTURE_DRAWING) << name;
    EXPECT_GT(picture.drawing.record_count, 50) << name;
    EXPECT_NEAR(double(picture.drawing.width) / picture.drawing.height, 1.95, 0.1) << name;
    EXPECT_NE(picture.drawing.texts, nullptr) << name << ": the streams' labels";
    FreePicture(&picture);
    int32_t count = -1;
    int32_t text_bytes = -1;
    CountDrawingData(path.c_str(), &count, &text_bytes, 2);
    EXPECT_EQ(count, 0) << name << " holds a second drawing";
  }
}

// The plate is a placeable metafile whose box has the plate's proportions
// with its dimensions: about as wide as half its height.
TEST_F(SamplePictures, ThePlateIsAPlaceableMetafile) {
  const std::string path = ZOVK_REPORT_SAMPLES + std::string("PLATEVW.WMF");
  PICTURE_RECORD picture{};
  ASSERT_EQ(LoadPictureFile(&picture, path.c_str(), 1), 1);
  EXPECT_EQ(picture.kind, PICTURE_PLACEABLE_METAFILE);
  const unsigned char* h = picture.placeable_header;
  const auto word = [h](int at) { return int16_t(h[at] | h[at + 1] << 8); };
  EXPECT_EQ(word(6), 0);
  EXPECT_EQ(word(8), 0);
  EXPECT_EQ(word(10), 9800);
  EXPECT_NEAR(double(word(10)) / word(12), 0.45, 0.03);
  EXPECT_EQ(PlaceableChecksum(h), uint16_t(word(20)));
  FreePicture(&picture);
}

}  // namespace
