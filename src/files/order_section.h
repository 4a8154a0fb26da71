// The order section: the order fields, the four input lists and the group labels, as an order
// file (".zka") holds them and as the second section of a result file.
#pragma once

#include <cstddef>

#include "base/dialogs.h"
#include "files/text_file.h"
#include "job/forms.h"

namespace zelk {

// Appends "ZELK_ADATA V2", the unit, name, tolerance, remnant threshold, the reserved "0", the
// list blocks of the stock list and of fix lists 1 to 3, and the three group labels.
void WriteOrderSection(Lines& lines, const OrderPage& page);

// Reads an order section (version 1 or 2) at the cursor into the order and moves the cursor past
// it. No line at the cursor: message, normal return. A wrong magic line or a unit other than the
// selected one: message and Abort, order unchanged. Otherwise the order is emptied first and
// filled as far as the file goes; a missing line is the runtime's list error, a count line that
// is no whole number its conversion error.
void ReadOrderSection(const Lines& lines, size_t& cursor, OrderPage& page, Dialogs& dialogs);

// Reads a list block into a list when a line is left at the cursor; with none left the list gets
// one empty data row.
void ReadListBlock(const Lines& lines, size_t& cursor, TextGrid& list);

}  // namespace zelk
