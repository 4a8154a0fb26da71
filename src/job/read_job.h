// Reading the order page into the job tables: machine values, stock lengths and the merged fix
// lengths as whole hundredths, checked on the way, with the long-piece threshold derived from them.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "base/dialogs.h"
#include "job/forms.h"
#include "job/job_tables.h"

namespace zelk {

// One row cursor per fix list for the merge; all start at the first data row.
struct FixCursors {
    std::array<int, 3> row{1, 1, 1};  // fix list 1, 2, 3
};

// The next entry of the merged fix lists: count 0 ends the merge.
struct FixEntry {
    int32_t count = 0;
    int32_t length = 0;  // hundredths
    int group = 0;
};

// Takes the longest next entry of the three fix lists, each sorted longest first; on equal lengths
// the lower group wins. A list whose next row has an empty count cell, or that is read to its end,
// offers nothing; a row with count 0 therefore ends the reading of its list. An unreadable count or
// length ends the command with the fix-length message naming entryNumber.
FixEntry ReadNextFixEntry(const OrderForm& order, FixCursors& cursors, char decimalSeparator,
                          Dialogs& dialogs, int entryNumber);

// Tidies the stock list and fix list 1, checks every input and fills the tables. The caption of
// LBerechName ("order-machine") is written first, so it is set even when a later step fails.
// An input fault shows its message and throws Abort: before the tables are cleared they keep the
// previous job; a faulty stock or fix row leaves them partly rebuilt. A fix list whose length is
// not a number stops the tidying with the conversion error (RuntimeError).
void ReadJob(OrderPage& page, char decimalSeparator, Dialogs& dialogs, JobTables& tables,
             std::string& caption);

}  // namespace zelk
