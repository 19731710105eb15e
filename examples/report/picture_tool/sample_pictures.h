// The report samples' pictures, made from their drawing texts with the
// library's own routines: the plate pack's channel arrangement converted
// into a drawing container, that container as the sample report's own and
// as the one the run ZOVK1 leaves, and one plate rendered into a placeable
// metafile.
#pragma once

#include <string>
#include <vector>

namespace sample_pictures {

// The drawing texts the pictures are made from.
inline const std::vector<std::string> SOURCES = {"PLATE.DQD", "PLATEVW.DQD"};
// The files made, in the order they are made.
inline const std::vector<std::string> MADE = {"PLATE.ZFD", "SAMPLE.ZFD", "expected\\ZOVK1.ZFD",
                                              "PLATEVW.WMF"};

// Makes the files in folder (its path ending in '\'), which holds the
// drawing texts and the folder "expected"; the folder becomes the case
// folder, as the routines name their files by it. Answers the files that
// could not be made, empty when every one was.
std::vector<std::string> MakeSamplePictures(const std::string& folder);

}  // namespace sample_pictures
