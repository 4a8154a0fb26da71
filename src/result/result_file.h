// Loading a result file ("Ergebnis laden"): machine, order and the two result grids as they were
// saved, shown again without a calculation.
#pragma once

#include <string>

#include "base/dialogs.h"
#include "files/text_file.h"
#include "job/forms.h"
#include "job/job_tables.h"
#include "result/calculation_page.h"

namespace zelk {

// Reads machine and order into the order page, reads the job, refills the choice lists (last
// items selected), lays out the grids for the job, reads the grids and computes the statistics
// from them. A refused section or input ends the load with its message (Abort) before the grids
// change; a missing result section shows its message and the statistics follow from the grids as
// laid out. A broken grid block ends the load with the runtime's error, without statistics.
void LoadResultFile(OrderPage& page, CalculationPage& calculationPage, JobTables& tables,
                    const std::string& path, char decimalSeparator, char thousandsSeparator,
                    Dialogs& dialogs);

// The same on the lines of a result file already read.
void LoadResultLines(OrderPage& page, CalculationPage& calculationPage, JobTables& tables,
                     const Lines& lines, char decimalSeparator, char thousandsSeparator,
                     Dialogs& dialogs);

}  // namespace zelk
