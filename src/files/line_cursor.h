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

// How many rows a block whose size line asks for `count` may be given before its lines are read.
// All of them while the file holds their lines; for a file that ends inside the block, the lines
// it still holds and a few more, so that the rows read before the missing line stay in place but
// a count of 2000000000 reserves nothing large. Reading on then fails at the first line the file
// lacks. A negative count fails at once, at the end of the file.
int64_t RowsToSize(const Lines& lines, size_t cursor, int64_t count);

}  // namespace zelk
