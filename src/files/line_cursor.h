// Reading a section of a data file at a line cursor. A line the reader needs but the file lacks is
// the runtime's list error with the index of that line, counted from 0.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "files/text_file.h"

namespace zelk {

// The line at the cursor; the cursor moves past it.
const std::string& TakeLine(const Lines& lines, size_t& cursor);

// Makes sure that `count` lines follow the cursor before anything is sized by that count. A count
// the file cannot hold, a negative one included, fails at the first line the file lacks, exactly
// as reading line by line would have, but without reserving room for the count first.
void RequireLines(const Lines& lines, size_t cursor, int64_t count);

}  // namespace zelk
