// The result grid G_V and the summary grid G_S as text: their headers and column layout, the
// rows of a cutting plan, the rest of an edited row, and what the grid's events decide. Once a
// plan is shown, the cells are the result; nothing of the plan object is kept.
#pragma once

#include <string>

#include "base/text_grid.h"
#include "engine/bearbeitung.h"
#include "job/forms.h"
#include "job/job_tables.h"
#include "result/calculation_page.h"

namespace zelk {

// The key code of Enter.
inline constexpr int kEnterKey = 13;

// The translated headers "Nr.", "LL " + stock length, "Max LL", "Rest/LL" of G_V and the row
// titles "Verplant" and "Rest" of G_S, then the order state. The fix-column headers stay.
// A header whose column the grid does not have (yet) is left out.
void RefreshResultCaptions(CalculationPage& page, const JobTables& job, char decimalSeparator);

// Both grids get S + F + 3 columns; widths 50 for "Nr.", 60 per stock column and 50 per fix
// column; each fix column of G_V is headed by its length, followed by a blank and the name of its
// group while the second fix-length group is shown.
void LayoutResultColumns(CalculationPage& page, const JobTables& job, const OrderForm& order,
                         char decimalSeparator);

// G_V keeps its header row and one empty data row.
void EmptyResultRows(TextGrid& G_V);

// Before the first plan the empty grids take the columns and headers of the job read, so that the
// summary's figures stand under their lengths. A plan shown keeps its layout.
void LayoutWithoutPlan(CalculationPage& page, const JobTables& job, const OrderForm& order,
                       char decimalSeparator);

// The plan shown was computed for other job tables than the last ones read: the order (or the
// machine) has changed since.
bool PlanIsForEarlierOrder(const CalculationPage& page, const JobTables& job);

// Fills both grids from the plan: a row per bar entry with its count in its own stock column,
// then a row per candidate with that cell empty; "X" in the other stock columns. Rows are sorted
// when there is a bin per fix length; then the statistics follow.
void ShowPlan(CalculationPage& page, const TBearbeitung& plan, const ResultContext& context);

// The index of a new row at the end of G_V (the single empty data row is reused), numbered
// index + 1 in its "Nr." cell: the first data row is number 2.
int AppendResultRow(TextGrid& G_V);

// The Rest/LL cell of the row: the usable length of its stock columns that are not "X", less the
// effective length of its pieces. Negative when more pieces are entered than fit.
void RecalcRowRest(TextGrid& G_V, int row, const JobTables& job, char decimalSeparator);

// The in-place editor changed a cell: the text is stored, the row's rest and all figures follow.
void G_VSetEditText(CalculationPage& page, int col, int row, std::string text,
                    const ResultContext& context);

// Where the cursor rests when it is to rest on (row, col): that column, unless the cell holds "X";
// then the row's own stock cell (its count), or else the nearest cell of the row that is not "X".
// -1 when the row has no such cell.
int RestingColumn(const TextGrid& G_V, int row, int col, int stockKinds);

// Whether the cell may be selected: an "X" cell may not. Moving on from an edit first re-sorts the
// rows when there is a bin per fix length; the cell is judged by what it holds after that.
bool G_VSelectCell(CalculationPage& page, int col, int row, const JobTables& job,
                   char decimalSeparator);

// Enter after an edit re-sorts the rows when there is a bin per fix length.
void G_VKeyDown(CalculationPage& page, int key, const JobTables& job, char decimalSeparator);

}  // namespace zelk
