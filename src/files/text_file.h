// Data files as lists of lines. Inside the program every line is UTF-8 without its line end; on
// disk a file is Windows-1252 where every character fits (as existing installations wrote them)
// and UTF-8 otherwise, with CR LF after every line.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zelk {

using Lines = std::vector<std::string>;

// Paths are UTF-8 inside the program, whatever the platform's own file name encoding.
std::filesystem::path PathFromUtf8(const std::string& path);
std::string Utf8FromPath(const std::filesystem::path& path);

// Splits at CR LF, LF or CR; a line end at the very end gives no further empty line.
Lines SplitLines(std::string_view text);

// The bytes of a file as UTF-8 text: kept when they are valid UTF-8 (a leading byte order mark
// removed), read as Windows-1252 otherwise.
std::string DecodeFileText(std::string_view bytes);

// UTF-8 text as the bytes of a file: Windows-1252 when every character fits and the file will
// read back the same, UTF-8 otherwise, so that no character is ever lost.
std::string EncodeFileText(std::string_view text);

// The whole file as lines. A file that cannot be read is the runtime's open error.
Lines ReadTextFile(const std::string& path);

// Writes the lines, each followed by CR LF, replacing the file only once the new content is
// completely on disk: a file beside it is written, closed and renamed over the old one. On any
// failure the old file stays as it was, the file beside it is removed, and the runtime's create
// error names the file and the system's reason.
void WriteTextFile(const std::string& path, const Lines& lines);

}  // namespace zelk
