// The remainder order: what a cutting plan left unmet becomes the new order.
#pragma once

#include "base/text_grid.h"
#include "job/forms.h"
#include "job/job_tables.h"

namespace zelk {

// Replaces the order with the pieces still missing after a plan. The summary grid G_S holds in
// its "Rest" row (row 1), in the fix column StockKinds + 1 + k, the pieces of fix kind k still
// missing (not a whole number: none). Every fix kind with pieces missing becomes a row of the fix
// list of its own group, in kind order (longest first), with the count missing and the plain fix
// length; the stock list and every list without missing pieces keep one empty row. Group labels
// and visibility stay. The order name gets " Rest" unless it contains "REST" in any case.
// Nothing is checked and no calculation starts; showing the order page is the window's part.
void Btn_RestAlsNeuenAuftragClick(OrderForm& order, const TextGrid& G_S, const JobTables& tables,
                                  char decimalSeparator);

}  // namespace zelk
