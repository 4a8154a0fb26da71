// The result section of a result file (".zke"): the result grid G_V and the summary grid G_S,
// every cell as text, header rows included.
#pragma once

#include <cstddef>

#include "base/dialogs.h"
#include "base/text_grid.h"
#include "files/text_file.h"

namespace zelk {

// Appends "ZELK_EDATA V1" and the grid blocks of G_V and G_S.
void WriteResultSection(Lines& lines, const TextGrid& G_V, const TextGrid& G_S);

// Reads the result section at the cursor into both grids. Without it (no line left, or another
// line than its magic line) the message is shown and the grids stay as they are; never aborts.
void ReadResultSection(const Lines& lines, size_t& cursor, TextGrid& G_V, TextGrid& G_S,
                       Dialogs& dialogs);

// Reads one grid block: a size line "highest row index TAB highest column index", then one line
// per row with every cell followed by a TAB. A row line with fewer fields leaves the further cells
// of its row empty. Size lines and counts the file cannot satisfy are the runtime's list error.
void ReadGridBlock(const Lines& lines, size_t& cursor, TextGrid& grid);

}  // namespace zelk
