// The machine section: the machine fields and the unit, as a machine file (".zkm") holds them and
// as the first section of a result file.
#pragma once

#include <cstddef>

#include "base/dialogs.h"
#include "files/text_file.h"
#include "job/forms.h"

namespace zelk {

// Appends "ZELK_MDATA V2", name, trim cut, clamp rest, kerf and the selected unit.
void WriteMachineSection(Lines& lines, const OrderPage& page);

// Reads a machine section (version 1 or 2) at the cursor into the machine fields and moves the
// cursor past it. No line at the cursor: message, normal return. A wrong magic line, or a unit
// that differs from the selected one while the stock list or fix list 1 holds a length in its
// first row: message and Abort. Otherwise the unit is taken over and the unit change runs. Nothing
// changes unless the whole section was read.
void ReadMachineSection(const Lines& lines, size_t& cursor, OrderPage& page, Dialogs& dialogs);

}  // namespace zelk
