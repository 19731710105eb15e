// Folders and files of a host run: the block folder given on the command
// line, and the scratch folder that receives the working copy of the case file.
#pragma once

#include <string>

namespace host {

// The block file that every block folder holds, in the repository's text format.
inline constexpr char kBlockFileName[] = "block.rpd";

// The absolute form of a path, "\" separated; empty when it cannot be made.
std::string FullPath(const std::string& path);
// Joins a folder and a name with one "\".
std::string JoinPath(const std::string& folder, const std::string& name);
// The last part of a folder path ("examples\block1\" gives "block1").
std::string LastPart(const std::string& folder);
// Makes a folder and every missing folder above it; true when it exists afterwards.
bool MakeFolders(const std::string& folder);
// The default scratch folder of a block: <system temporary folder>zovkhost\<block>.
std::string ScratchFolder(const std::string& block_folder);
bool FileExists(const std::string& path);
bool CopyFileOver(const std::string& from, const std::string& to);
// The whole file as bytes; empty when it cannot be read.
std::string ReadWholeFile(const std::string& path);

}  // namespace host
