// Reading and writing whole case files.
#pragma once

#include <optional>
#include <string>

// The file's bytes, or nothing when no file can be read at that path.
std::optional<std::string> ReadWholeFile(const std::string& path);

// Writes the text beside the file first and then puts it in the file's place,
// so a failed write never leaves a half-written case file behind.
bool ReplaceFileContents(const std::string& path, const std::string& text);

// The path made absolute, as the server reports a saved file; the path itself
// when it cannot be.
std::string FullPath(const std::string& path);
