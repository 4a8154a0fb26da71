// The hand-over of a cutting plan to a spreadsheet: the result grids on the sheet "Optimierung",
// and on the sheet "Sägeplan" the saw plan for the operator, with the pieces of every pattern
// assigned to the drop-off bins ("Ablagen") at the machine.
#pragma once

#include <string>

#include "base/dialogs.h"
#include "base/text_grid.h"
#include "base/translate.h"
#include "export/spreadsheet.h"
#include "job/job_tables.h"

namespace zelk {

// The message of a plan that needs more bins than the machine has: shown in the user's language,
// written German into the workbook like every text of it.
inline constexpr const char* kBinsInsufficientText =
    TranslatedLater("Der Sägeplan ist ungültig - die Ablagen reichen nicht aus!");

// The fill of a piece length whose order is complete: the bin may be emptied.
inline constexpr Rgb kOrderCompleteFill{255, 199, 206};

// The title of both sheets: machine name, "-", order name.
std::string SawPlanTitle(const std::string& machineName, const std::string& orderName);

// Writes both sheets into the spreadsheet, whose first sheet is active. G_V and G_S are the
// result grid and the summary grid as shown, laid out for the job; binCount is the number of
// bins at the machine (0 when none is chosen). Returns false when the bins do not suffice:
// the message has then been shown and stands in the saw plan below the last pass.
// A stock cell that is neither "X" nor a whole number ends the export with the conversion
// error (RuntimeError); what was written before stays in the workbook.
bool ExportSawPlan(const std::string& title, const TextGrid& G_V, const TextGrid& G_S,
                   const JobTables& job, int binCount, char decimalSeparator, Spreadsheet& sheet,
                   Dialogs& dialogs);

}  // namespace zelk
